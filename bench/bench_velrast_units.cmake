# Mesa's OSMesa (Debian libosmesa6-dev, llvmpipe on one thread) draws the same projected triangles.
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::OSMESA)
  pkg_check_modules(OSMESA REQUIRED IMPORTED_TARGET osmesa)
endif()
target_link_libraries(${target} PRIVATE PkgConfig::OSMESA)
