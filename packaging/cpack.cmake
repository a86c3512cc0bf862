# A Debian package of the install layout: `cpack -G DEB` in the build directory makes
# tolarka_<version>_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolarka)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tým Tolarka")
set(CPACK_PACKAGE_CONTACT "Tým Tolarka <tolarka@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "television-style quiz game in Czech")
set(CPACK_PACKAGE_DESCRIPTION "A single-player quiz in the style of a television show, every text in\n\
Czech: fifteen questions of rising difficulty up a prize ladder, two safe\n\
levels, three lifelines, walk-away and nine save slots. Includes\n\
tolarka-qst, a tool to check and build one's own questions.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TOLARKA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game letters its texts in these faces, loaded from their Debian paths at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
