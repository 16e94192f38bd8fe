# Shared by the MinGW-w64 toolchain files, which set TANZEL_MINGW_PREFIX and
# CMAKE_SYSTEM_PROCESSOR first. The -posix compilers are the ones whose
# libstdc++ can build GoogleTest; everything is linked statically.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TANZEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TANZEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TANZEL_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${TANZEL_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TANZEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# ctest runs the cross-built programs under Wine through the project's runner,
# which picks the 32- or 64-bit Wine from each program's own header.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
