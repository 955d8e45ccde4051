quor_benchmark(las_bench LIBS quor_las SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/las_bench.cpp STRINGS las.inc)
