# libFuzzer targets for every reader of outside bytes.
foreach(target ${FUZZ_TARGETS})
  add_executable(fuzz-${target} ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzz.cpp)
  target_link_options(fuzz-${target} PRIVATE -fsanitize=fuzzer)
  set_target_properties(fuzz-${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endforeach()
target_link_libraries(fuzz-pcx PRIVATE duskcore)
target_link_libraries(fuzz-music PRIVATE duskplatform)
target_link_libraries(fuzz-options PRIVATE duskcapture)
