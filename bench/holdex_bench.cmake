# holdex_inputs times whole Holdex processes on generated inputs; bench/holdex-inputs builds and runs it.
add_executable(holdex_inputs ${CMAKE_CURRENT_SOURCE_DIR}/holdex_inputs.cpp)
set_target_properties(holdex_inputs PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
