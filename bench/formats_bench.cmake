quor_benchmark(formats_bench LIBS quor_core SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/formats_bench.cpp)
