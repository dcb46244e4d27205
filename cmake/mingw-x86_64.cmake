# 64-bit Windows: the same program for machines whose wine runs only 64-bit code.
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
