# Arbitrary bytes as the user's profile file, read by the records the desktop program loads from it.
if(TARGET quor_docview_logic)
  quor_fuzzer(profile_fuzz SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/profile_fuzz.cpp LIBS quor_docview_logic
              SEEDS ${PROJECT_SOURCE_DIR}/tests/data/profile RUNS 20000)
endif()
