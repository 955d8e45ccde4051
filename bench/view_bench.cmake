if(TARGET quor_app)
  quor_benchmark(view_bench LIBS quor_docview quor_app SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/view_bench.cpp)
endif()
