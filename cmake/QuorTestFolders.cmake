# quor_test_folders(prefix LIBS ... [EXCLUDE folder...]): one GoogleTest program per subfolder that
# holds .cpp files, named <prefix>_<folder>_tests, so that each area of a subsystem builds and runs on
# its own. Excluded folders are left to the caller (for tests that link differently).
function(quor_test_folders prefix)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB entries LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(entry ${entries})
    if(IS_DIRECTORY ${entry})
      file(GLOB cpp CONFIGURE_DEPENDS ${entry}/*.cpp)
      if(cpp)
        get_filename_component(folder ${entry} NAME)
        if(folder IN_LIST ARG_EXCLUDE)
          continue()
        endif()
        quor_test(${prefix}_${folder}_tests DIR ${entry} LIBS ${ARG_LIBS})
      endif()
    endif()
  endforeach()
endfunction()
