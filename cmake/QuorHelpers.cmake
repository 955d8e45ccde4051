# quor_library(name [DIRS dir...] [LIBS ...]): a static library of every .cpp directly in the given
# folders (relative to the current one; default the current folder). Every include names its file from
# the top of the tree ("core/model/Borehole.h"), so the one include root is the project's folder.
function(quor_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
  if(NOT ARG_DIRS)
    set(ARG_DIRS .)
  endif()
  set(sources "")
  set(headers "")
  foreach(dir ${ARG_DIRS})
    file(GLOB found_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    file(GLOB found_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND sources ${found_sources})
    list(APPEND headers ${found_headers})
  endforeach()
  if(NOT sources)
    # A subsystem that has no code yet still gives a library to link against.
    set(sources ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(CONFIGURE OUTPUT ${sources} CONTENT "// ${name} has no sources yet.\n")
  endif()
  add_library(${name} STATIC ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# quor_string_table(target pattern...): compiles the string-table sources under resources/strings that
# match the glob patterns (e.g. lib_*.inc) into the target as its program's own message table.
function(quor_string_table target)
  set(files "")
  foreach(pattern ${ARGN})
    file(GLOB found RELATIVE ${PROJECT_SOURCE_DIR}/resources/strings CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/resources/strings/${pattern})
    list(APPEND files ${found})
  endforeach()
  list(REMOVE_DUPLICATES files)
  list(SORT files)
  set(includes "")
  foreach(f ${files})
    string(APPEND includes "#include \"${PROJECT_SOURCE_DIR}/resources/strings/${f}\"\n")
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_strings.cpp)
  file(CONFIGURE OUTPUT ${out} CONTENT
"// Generated: the string table of ${target}.
#include \"core/catalogue/StringTable.h\"
namespace {
#define QUOR_MSG(id, text) {id, text},
const ORBAX_Utilities::StringResource entries[] = {
${includes}};
#undef QUOR_MSG
}
const ORBAX_Utilities::StringTable& ProgramStringTable()
{
    static const ORBAX_Utilities::StringTable table(entries, sizeof entries / sizeof entries[0]);
    return table;
}
")
  target_sources(${target} PRIVATE ${out})
  foreach(f ${files})
    set_property(SOURCE ${out} APPEND PROPERTY OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/strings/${f})
  endforeach()
endfunction()

# quor_test(name LIBS ... [DIR dir]): one GoogleTest program of every .cpp in dir, with the full string table.
function(quor_test name)
  cmake_parse_arguments(ARG "" "DIR" "LIBS;STRINGS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  # The leak checker of the sanitizer build is told about the font library's lifelong cache.
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/support/LeakSuppressions.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} quor_test_support GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUOR_TEST_OUTPUT_DIRECTORY})
  if(ARG_STRINGS)
    quor_string_table(${name} ${ARG_STRINGS})
  else()
    quor_string_table(${name} *.inc)
  endif()
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUOR_SOURCE_DIR=${PROJECT_SOURCE_DIR};QUOR_BIN_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    DISCOVERY_TIMEOUT 60)
endfunction()

# quor_fuzzer(name SOURCE file LIBS ... SEEDS dir RUNS n): a libFuzzer target, run by CTest for a fixed count.
function(quor_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE;SEEDS;RUNS" "LIBS;STRINGS" ${ARGN})
  if(NOT QUOR_FUZZ)
    return()
  endif()
  if(NOT ARG_RUNS)
    set(ARG_RUNS 20000)
  endif()
  add_executable(${name} ${ARG_SOURCE})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QUOR_TEST_OUTPUT_DIRECTORY}/fuzz)
  if(ARG_STRINGS)
    quor_string_table(${name} ${ARG_STRINGS})
  else()
    quor_string_table(${name} *.inc)
  endif()
  # libFuzzer adds what it finds to the first folder, so that is a scratch folder in the build tree;
  # the committed seeds are only read.
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME fuzz.${name}
    COMMAND ${name} -runs=${ARG_RUNS} -max_len=4096 -seed=1 -rss_limit_mb=2048 -timeout=20 ${corpus} ${ARG_SEEDS})
endfunction()
