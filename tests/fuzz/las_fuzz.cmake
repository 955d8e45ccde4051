quor_fuzzer(las_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/las_fuzz.cpp LIBS quor_las
            SEEDS ${PROJECT_SOURCE_DIR}/tests/data/las RUNS 20000 STRINGS las.inc)
