# Arbitrary clipboard text fed to the unit loader and the field paste.
quor_fuzzer(unit_archive_fuzz
  SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/unit_archive_fuzz.cpp
  LIBS quor_core
  SEEDS ${PROJECT_SOURCE_DIR}/tests/data/archive
  RUNS 20000)
