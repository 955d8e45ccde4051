quor_benchmark(prolog_bench LIBS quor_core SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/prolog_bench.cpp)
