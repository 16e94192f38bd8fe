# Cross-build for 64-bit Windows with MinGW-w64: the same program, tested under
# 64-bit Wine on machines that cannot run 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TANZEL_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
