if(TARGET quor_dialogs)
  quor_fuzzer(update_info_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/update_info_fuzz.cpp LIBS quor_dialogs
              SEEDS ${PROJECT_SOURCE_DIR}/tests/data/updateinfo RUNS 20000)
endif()
