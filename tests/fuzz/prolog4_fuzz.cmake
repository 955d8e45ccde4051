quor_fuzzer(prolog4_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/prolog4_fuzz.cpp LIBS quor_core
            SEEDS ${PROJECT_SOURCE_DIR}/tests/data/prolog4 RUNS 10000)
