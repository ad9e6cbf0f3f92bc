# `cpack -G DEB` in a build folder makes the Debian package of what `cmake --install` puts in
# place. The Qt 6 and libcurl packages it depends on are found by dpkg-shlibdeps from the
# programs themselves.
set(CPACK_PACKAGE_NAME drav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "DRAV developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quiz bowl tournament statistics")
set(CPACK_PACKAGE_DESCRIPTION [=[
DRAV keeps the statistics of a quiz bowl tournament: box scores, standings
with tie-breaks, individual statistics, QuickPrint reports, web pages posted
by FTP, and schedules (round robins, Swiss pairs, random draws).

It comes as a desktop program, drav, and a command-line companion, drav-cli,
that does every job needing no typing of games.]=])
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/drav-stats/drav")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "DRAV developers")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
