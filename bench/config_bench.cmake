quor_benchmark(config_bench LIBS quor_config quor_test_support SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/config_bench.cpp)
