quor_fuzzer(prolog_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/prolog_fuzz.cpp LIBS quor_core
  SEEDS ${PROJECT_SOURCE_DIR}/tests/data/prolog RUNS 20000)
