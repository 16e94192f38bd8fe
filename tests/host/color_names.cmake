# The committed table of colour names must be exactly what
# tools/pack_color_names.py makes of its list.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME color_names.match_source
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/pack_color_names.py --check)
