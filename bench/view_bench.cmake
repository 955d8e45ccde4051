if(TARGET quor_app)
  quor_benchmark(view_bench LIBS quor_docview quor_app SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/view_bench.cpp)
endif()

# view_speed drives the whole desktop program on a virtual display; bench/view-speed builds and runs it.
add_executable(view_speed ${CMAKE_CURRENT_SOURCE_DIR}/view_speed.cpp)
target_include_directories(view_speed PRIVATE ${PROJECT_SOURCE_DIR})
set_target_properties(view_speed PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
