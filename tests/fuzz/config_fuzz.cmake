if(TARGET quor_config)
  quor_fuzzer(config_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/config_fuzz.cpp LIBS quor_config
              SEEDS ${PROJECT_SOURCE_DIR}/tests/data/config/full RUNS 20000)
endif()
