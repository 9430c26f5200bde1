# GoogleTest for a cross-build, compiled from the sources of Debian's googletest package with the
# cross compiler (the host's libgtest cannot be linked into a Windows program).
set(PARTWELL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross-builds")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
# GoogleTest's own code is not ours to hold to our warning level.
get_directory_property(saved_compile_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${PARTWELL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# googletest names its targets GTest::gtest_main and GTest::gmock itself.
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${saved_compile_options}")
