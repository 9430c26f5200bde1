# The Debian package partwell_<version>_amd64.deb: the Runtime component only (no header, no Designer
# plugin). dpkg-shlibdeps computes the dependencies from the binaries; the menu, file type and icon
# caches are refreshed by the triggers of the packages that own them (desktop-file-utils,
# shared-mime-info, hicolor-icon-theme) and by the ldconfig trigger for libvelrast, declared in the
# control files (CPack's own shlibs option would call ldconfig from maintainer scripts instead).
set(CPACK_PACKAGE_NAME partwell)
set(CPACK_PACKAGE_VENDOR "Partwell developers")
set(CPACK_PACKAGE_CONTACT "Partwell developers <partwell@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "parts library keeper for the DOGA 3D graphics system")
# CPack puts the summary first; the description lines follow (Debian wants them under 80 columns).
set(CPACK_PACKAGE_DESCRIPTION "Partwell maintains the parts library of a DOGA installation: its
part folders, their 16-slot catalogs and the part files. It registers SUF
shapes with a flat-shaded thumbnail drawn by velrast, its own small software
rasteriser, and comes with partwell-cli for scripts, a launcher, the SUF file
type and a thumbnailer that shows SUF shapes in file managers.")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_COMPONENTS_ALL Runtime)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME partwell)
set(CPACK_DEBIAN_RUNTIME_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://partwell.github.io/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
file(WRITE ${CMAKE_BINARY_DIR}/debian/shlibs "libvelrast 1 partwell (>= ${PROJECT_VERSION})\n")
file(WRITE ${CMAKE_BINARY_DIR}/debian/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/shlibs ${CMAKE_BINARY_DIR}/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
include(CPack)
