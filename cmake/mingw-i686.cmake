# Cross-build for 32-bit Windows with MinGW-w64: the program users get.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TANZEL_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# SSE2 arithmetic, as on x86-64: x87's extra precision would let a rounding
# in the colour formats differ between the two builds.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
