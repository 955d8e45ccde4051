if(TARGET quor_config)
  quor_fuzzer(pattern_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/pattern_fuzz.cpp LIBS quor_config
              SEEDS ${PROJECT_SOURCE_DIR}/tests/data/patterns RUNS 20000)
endif()
