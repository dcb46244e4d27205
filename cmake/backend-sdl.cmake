# Linux backend: SDL2 window, GL context, clock, launcher UI, sound output and decoders.
find_package(OpenGL REQUIRED)
find_package(PkgConfig REQUIRED)
target_link_libraries(duskcore PUBLIC OpenGL::GL OpenGL::GLU)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(MPG123 REQUIRED IMPORTED_TARGET libmpg123)
pkg_check_modules(OPENMPT REQUIRED IMPORTED_TARGET libopenmpt)
find_package(Threads REQUIRED)

# Dear ImGui: Debian ships the core as a static library; its SDL2 and OpenGL2
# backends come as example sources that we compile ourselves.
# Debian's core library leaves stb_truetype and stb_rect_pack to libstb, which
# its pkg-config file brings in.
set(IMGUI_BACKENDS /usr/share/doc/libimgui-dev/examples/backends)
pkg_check_modules(IMGUI REQUIRED IMPORTED_TARGET imgui)
find_path(IMGUI_INCLUDE_DIR imgui.h PATH_SUFFIXES imgui REQUIRED)
add_library(duskimgui STATIC
  ${IMGUI_BACKENDS}/imgui_impl_sdl.cpp
  ${IMGUI_BACKENDS}/imgui_impl_opengl2.cpp)
target_include_directories(duskimgui PUBLIC ${IMGUI_INCLUDE_DIR} ${IMGUI_INCLUDE_DIR}/backends)
target_link_libraries(duskimgui PUBLIC PkgConfig::IMGUI PkgConfig::SDL2 OpenGL::GL)
target_compile_options(duskimgui PRIVATE -w)

add_library(duskplatform STATIC ${DUSK_PLATFORM_SOURCES})
target_link_libraries(duskplatform PUBLIC duskcore duskimgui PkgConfig::SDL2
  PkgConfig::MPG123 PkgConfig::OPENMPT Threads::Threads)

add_executable(duskwheel ${DUSK_BACKEND_DIR}/main.cpp)
target_link_libraries(duskwheel PRIVATE duskprogram duskplatform)
