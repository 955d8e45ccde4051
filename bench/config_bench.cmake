if(TARGET quor_config)
  quor_benchmark(config_bench LIBS quor_config SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/config_bench.cpp)
endif()
