quor_benchmark(las_bench LIBS quor_las SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/las_bench.cpp STRINGS las.inc)

# las_speed times the whole Curvex process; bench/las-speed builds and runs it.
add_executable(las_speed ${CMAKE_CURRENT_SOURCE_DIR}/las_speed.cpp)
target_include_directories(las_speed PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(las_speed PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
