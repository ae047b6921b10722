# The Debian package: `cpack -G DEB` in a build directory (scripts/package.sh)
# writes tremolux_VERSION_ARCH.deb, which installs under /usr and depends on
# the libraries the two programs link, as dpkg-shlibdeps finds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tremolux)
set(CPACK_PACKAGE_VENDOR "The Tremolux developers")
set(CPACK_PACKAGE_CONTACT "The Tremolux developers <tremolux@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tremolux.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop earthquake watcher")
# One paragraph, in lines short enough for the control file.
set(CPACK_PACKAGE_DESCRIPTION [[
Tremolux keeps a live list of the world's recent earthquakes, read from
the U.S. Geological Survey's feed every five minutes, sounds a tone when
a new quake heads the list, and shows one map window per city: every
quake drawn in its direction from the city, placed by its age and
coloured by its magnitude. tremolux-cli lists quakes, prints activity
indexes and draws the maps as PNG files without a window.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The history is kept through Qt SQL's SQLite driver, a plugin the
# library scan cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6websockets6")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
