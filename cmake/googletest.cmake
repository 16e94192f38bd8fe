# GoogleTest from Debian's sources, built with this tree's compiler and flags,
# so the same copy serves the native and the cross-built tests.
set(TANZEL_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
if(EXISTS "${TANZEL_GTEST_SOURCE}/CMakeLists.txt")
  add_subdirectory(${TANZEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  message(FATAL_ERROR "GoogleTest sources not found at ${TANZEL_GTEST_SOURCE}; "
    "install Debian's googletest package or set TANZEL_GTEST_SOURCE")
endif()
