quor_fuzzer(holdex_config_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/holdex_config_fuzz.cpp LIBS quor_holdex
            SEEDS ${PROJECT_SOURCE_DIR}/tests/data/holdex RUNS 20000)
