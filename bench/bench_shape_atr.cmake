# inih (Debian libinih-dev) does the same work on the same attributes written as an INI file.
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::INIH)
  pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
endif()
target_link_libraries(${target} PRIVATE PkgConfig::INIH)
