quor_fuzzer(csv_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/csv_fuzz.cpp LIBS quor_core
            SEEDS ${PROJECT_SOURCE_DIR}/tests/data/csv RUNS 20000)
