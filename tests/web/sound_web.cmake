# The web build's sound, held to the Linux build's: the browser's MP3
# decoder against libmpg123 (web-decoder), and the music heard through Web
# Audio (web-sound_heard). Their pages are built with emscripten, from the
# web backend's sound sources and the portable ones they need.
add_executable(web-decoder-compare web/decoder_compare.cpp)

find_program(EMCC emcc)
if(EMCC)
  set(WEB_SOUND_SOURCES
    ${CMAKE_SOURCE_DIR}/music/sound/web/mp3_decoder.cpp ${CMAKE_SOURCE_DIR}/music/sound/web/module_decoder.cpp
    ${CMAKE_SOURCE_DIR}/music/sound/web/web_audio_output.cpp ${CMAKE_SOURCE_DIR}/music/sound/mp3_layout.cpp
    ${CMAKE_SOURCE_DIR}/music/sound/resample.cpp ${CMAKE_SOURCE_DIR}/music/sound/sound.cpp
    ${CMAKE_SOURCE_DIR}/music/sound/sound_channel.cpp ${CMAKE_SOURCE_DIR}/music/sound/spectrum.cpp
    ${CMAKE_SOURCE_DIR}/music/sound/fft.cpp ${CMAKE_SOURCE_DIR}/music/music_track.cpp
    ${CMAKE_SOURCE_DIR}/music/show_music.cpp ${CMAKE_SOURCE_DIR}/assets/data_file.cpp)
  set(WEB_SOUND_LIBRARY ${CMAKE_SOURCE_DIR}/platform/web/audio.js)
  # Debian's emcc runs under the machine's node, which finds Debian's
  # JavaScript modules only when told where they are.
  foreach(page decoder sound)
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/web-${page})
    add_custom_command(OUTPUT ${folder}/${page}_page.js ${folder}/${page}_page.wasm
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs ${EMCC} -std=c++17 -O2 -I${CMAKE_SOURCE_DIR}
        ${CMAKE_CURRENT_SOURCE_DIR}/web/${page}_page.cpp ${WEB_SOUND_SOURCES} --js-library ${WEB_SOUND_LIBRARY}
        -sALLOW_MEMORY_GROWTH=1 -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=FS,ccall
        -o ${folder}/${page}_page.js
      DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/web/${page}_page.cpp ${WEB_SOUND_SOURCES} ${WEB_SOUND_LIBRARY}
      COMMENT "emcc: the web sound backend's ${page} page" VERBATIM)
    add_custom_target(web-${page}-page ALL DEPENDS ${folder}/${page}_page.js)
  endforeach()
endif()

add_test(NAME web-decoder COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/web/decoder.sh ${CMAKE_BINARY_DIR})
add_test(NAME web-sound_heard COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/web/sound_heard.sh ${CMAKE_BINARY_DIR})
set_tests_properties(web-decoder web-sound_heard PROPERTIES LABELS web RUN_SERIAL TRUE TIMEOUT 240
  FIXTURES_REQUIRED data)
