# Web backend: Emscripten to wasm, a WebGL 2 canvas under a fixed-function
# layer of our own, the launcher as the page, Web Audio for the sound.
# No threads: a plain static server sends no cross-origin isolation headers,
# so the program must not need SharedArrayBuffer.

# Debian's emcc runs on the machine's node, which finds Debian's acorn only
# through NODE_PATH; every link needs it, whoever starts the build.
set(DUSK_NODE_ENV ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${DUSK_NODE_ENV})
set(CMAKE_C_LINKER_LAUNCHER ${DUSK_NODE_ENV})

add_library(duskplatform STATIC ${DUSK_PLATFORM_SOURCES})
target_link_libraries(duskplatform PUBLIC duskcore)

# The page's JavaScript side of the backend: each backends/web/*.js is an
# Emscripten library of functions the C++ calls.
file(GLOB DUSK_WEB_LIBRARIES CONFIGURE_DEPENDS ${DUSK_BACKEND_DIR}/*.js)

add_executable(duskwheel ${DUSK_BACKEND_DIR}/main.cpp)
target_link_libraries(duskwheel PRIVATE duskprogram duskplatform)
set(DUSK_WEB_EXPORTS _main _duskLaunch _duskShowFrames _duskFollowVisibility _duskShowTime _duskSeek _duskPause
  _duskDataReady)
list(JOIN DUSK_WEB_EXPORTS "," DUSK_WEB_EXPORT_LIST)
target_link_options(duskwheel PRIVATE
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web -sINVOKE_RUN=0
  -sEXPORTED_FUNCTIONS=${DUSK_WEB_EXPORT_LIST}
  -sEXPORTED_RUNTIME_METHODS=callMain,FS,ccall)
foreach(library ${DUSK_WEB_LIBRARIES})
  target_link_options(duskwheel PRIVATE "SHELL:--js-library ${library}")
  set_property(TARGET duskwheel APPEND PROPERTY LINK_DEPENDS ${library})
endforeach()
# The site: what a web server serves, and nothing of the build's own.
set(DUSK_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set_target_properties(duskwheel PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${DUSK_SITE_DIR})

# The page beside the program; Data/ is the native make-data's, copied by make web.
file(GLOB DUSK_PAGE_FILES CONFIGURE_DEPENDS ${DUSK_BACKEND_DIR}/page/*)
set(DUSK_PAGE_COPIES "")
foreach(file ${DUSK_PAGE_FILES})
  get_filename_component(name ${file} NAME)
  add_custom_command(OUTPUT ${DUSK_SITE_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${file} ${DUSK_SITE_DIR}/${name} DEPENDS ${file})
  list(APPEND DUSK_PAGE_COPIES ${DUSK_SITE_DIR}/${name})
endforeach()
add_custom_target(page ALL DEPENDS ${DUSK_PAGE_COPIES})
include(${CMAKE_SOURCE_DIR}/tests/web/sound_pages.cmake)
