if(TARGET quor_app)
  quor_benchmark(document_bench LIBS quor_docview quor_app SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/document_bench.cpp)
endif()
