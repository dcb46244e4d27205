# Windows backend: Win32 window and WGL context, the multimedia timer, the
# launcher dialog from its resource, ACM decoding and waveOut output. Nothing
# here needs pkg-config or a Debian library: everything comes with mingw-w64.
find_package(Threads REQUIRED)
# mingw's gl.h takes these from windows.h unless they are defined, so with
# them portable code sees OpenGL without windows.h.
target_compile_definitions(duskcore PUBLIC "WINGDIAPI=__declspec(dllimport)" APIENTRY=__stdcall CALLBACK=__stdcall)
target_link_libraries(duskcore PUBLIC opengl32 glu32)
# windows.h without its min and max macros and its rarely used parts, in the
# backend's own files.
set(DUSK_WINDOWS_DEFINITIONS NOMINMAX WIN32_LEAN_AND_MEAN)

add_library(duskplatform STATIC ${DUSK_PLATFORM_SOURCES})
# A callback without CALLBACK is a warning on 32-bit Windows and a crash at run
# time; make it fail the build even where the 32-bit exe cannot be run.
target_compile_options(duskplatform PRIVATE -Werror)
target_compile_definitions(duskplatform PRIVATE ${DUSK_WINDOWS_DEFINITIONS})
target_link_libraries(duskplatform PUBLIC duskcore gdi32 user32 winmm msacm32
  Threads::Threads)

add_executable(duskwheel WIN32 ${DUSK_BACKEND_DIR}/main.cpp ${DUSK_BACKEND_DIR}/launcher.rc)
target_compile_options(duskwheel PRIVATE -Werror)
target_compile_definitions(duskwheel PRIVATE ${DUSK_WINDOWS_DEFINITIONS})
target_link_libraries(duskwheel PRIVATE duskprogram duskplatform)
include(${CMAKE_CURRENT_LIST_DIR}/windows-resources.cmake)
dusk_windows_resources(duskwheel "duskwheel, a real-time OpenGL demo")
