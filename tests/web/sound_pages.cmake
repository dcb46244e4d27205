# Pages of the web sound backend's own, in build/web/sound-tests, outside the site:
# the decoder page that web-decoder drives (decoder_page.cpp), and the sound
# page that tests/web/sound/sync.sh measures by hand. Each links the web
# backend as the show does. Not part of the show's site: a server of the
# show needs nothing from sound-tests/.
foreach(page decoder sound)
  set(source ${CMAKE_SOURCE_DIR}/tests/web/${page}_page.cpp)
  if(page STREQUAL "sound")
    set(source ${CMAKE_SOURCE_DIR}/tests/web/sound/sound_page.cpp)
  endif()
  add_executable(${page}_page ${source})
  target_link_libraries(${page}_page PRIVATE duskplatform duskcore)
  target_link_options(${page}_page PRIVATE -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web -sFORCE_FILESYSTEM=1
    -sEXPORTED_RUNTIME_METHODS=FS,ccall)
  foreach(library ${DUSK_WEB_LIBRARIES})
    target_link_options(${page}_page PRIVATE "SHELL:--js-library ${library}")
    set_property(TARGET ${page}_page APPEND PROPERTY LINK_DEPENDS ${library})
  endforeach()
  set_target_properties(${page}_page PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/sound-tests)
endforeach()
