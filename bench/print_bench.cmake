if(TARGET quor_docview)
  quor_benchmark(print_bench LIBS quor_docview quor_app SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/print_bench.cpp)
endif()
