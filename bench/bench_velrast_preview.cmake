# The renderer drives velrast; Mesa's OSMesa (Debian libosmesa6-dev, llvmpipe) is the peer drawing
# the same triangles in the same run.
find_package(PkgConfig REQUIRED)
pkg_check_modules(OSMESA REQUIRED IMPORTED_TARGET osmesa)
target_link_libraries(${target} PRIVATE shape PkgConfig::OSMESA)
