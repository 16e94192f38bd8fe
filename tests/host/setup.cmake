# Set-up on a package registry's bad day, against fake apt-get, dpkg and
# dpkg-query.
add_test(NAME setup.registry_faults COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/setup_test.sh)
