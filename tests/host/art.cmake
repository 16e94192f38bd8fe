# The committed icon and cursor must be exactly what tools/make_art.py makes
# of the pixel-row sources in res/art/.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME art.matches_source
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_art.py --check)
