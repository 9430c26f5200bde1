# The Debian package partwell_<version>_amd64.deb: the Runtime component only (no header, no Designer
# plugin). dpkg-shlibdeps computes the dependencies from the binaries; the menu, file type and icon
# caches are refreshed by the triggers of the packages that own them (desktop-file-utils,
# shared-mime-info, hicolor-icon-theme), and the shlibs file adds the ldconfig trigger for libvelrast.
set(CPACK_PACKAGE_NAME partwell)
set(CPACK_PACKAGE_VENDOR "Partwell developers")
set(CPACK_PACKAGE_CONTACT "Partwell developers <partwell@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "parts library keeper for the DOGA 3D graphics system")
set(CPACK_PACKAGE_DESCRIPTION "Partwell maintains the parts library of a DOGA installation: its part
folders, their 16-slot catalogs and the part files. It registers SUF shapes with a
flat-shaded thumbnail drawn by velrast, its own small software rasteriser, and comes
with partwell-cli for scripts, a launcher, the SUF file type and a thumbnailer that
shows SUF shapes in file managers.")
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
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
include(CPack)
