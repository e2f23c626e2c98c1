# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A Debian package of the program: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME pelagor)
set(CPACK_PACKAGE_VENDOR "Pelagor")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Oceans and their seas: a geography lesson in Bulgarian")
# Lines of at most 80 characters; CPack indents them for the control file and
# turns the empty line into the paragraph break " .".
set(CPACK_PACKAGE_DESCRIPTION [=[
Pelagor shows the five oceans of the world and 82 seas, gulfs and bays.
Pick an ocean to see every sea that belongs to it; pick a sea to see which
ocean it belongs to. The lesson and all its texts are in Bulgarian.

It works with the mouse, the keyboard alone, touch screens and screen
readers; it scales on high-density screens and stays readable under dark
and high-contrast colour schemes, on X11 and Wayland. It reads and writes
no files and needs no network.]=])
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGE_CONTACT "Pelagor maintainers <maintainers@pelagor.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
# The Qt libraries it links, found by dpkg-shlibdeps, and the serif font with
# Cyrillic that stands in for Times New Roman.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")

include(CPack)
