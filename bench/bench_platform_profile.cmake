# inih (Debian libinih-dev) is the peer the profile reader is compared with in the same run.
find_package(PkgConfig REQUIRED)
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)
target_link_libraries(${target} PRIVATE PkgConfig::INIH)
