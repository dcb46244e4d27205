# The Windows build's test programs. They run under wine from the Linux
# build's test suite (tests/wine/), not from this build's own ctest.

# Every program beside the Windows build's other exes.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# GoogleTest from Debian's sources, built with this toolchain.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The portable cases link the core alone; the backend's own cases link it too.
add_executable(unit-tests ${PORTABLE_UNIT_TEST_SOURCES})
target_link_libraries(unit-tests PRIVATE duskcore duskcapture gtest gtest_main)
file(GLOB WIN32_UNIT_TEST_SOURCES CONFIGURE_DEPENDS unit/win32/*.cpp)
add_executable(backend-tests ${WIN32_UNIT_TEST_SOURCES})
target_link_libraries(backend-tests PRIVATE duskprogram duskplatform gtest gtest_main)

# Asks Windows what the e2e tests cannot see from X: display modes, a
# window's client area, a control's text.
add_executable(wine-probe wine/wine_probe.cpp)

# The sound layer's own checks (decoder against Linux, waveOut).
include(${CMAKE_CURRENT_LIST_DIR}/sound_windows.cmake)
