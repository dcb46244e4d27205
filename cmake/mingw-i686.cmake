# 32-bit Windows: the program users get. SSE2 arithmetic so floats round as on
# the Linux build instead of in the x87 unit's extended precision.
set(MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
