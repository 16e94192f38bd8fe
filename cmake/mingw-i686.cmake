# Cross-build for 32-bit Windows with MinGW-w64. The -posix compilers are the
# ones whose libstdc++ can build GoogleTest; everything is linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TANZEL_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TANZEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TANZEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TANZEL_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${TANZEL_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TANZEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the cross-built programs under Wine through the project's runner.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
