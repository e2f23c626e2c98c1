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
ocean it belongs to. The lesson and all its texts are in Bulgarian. A map
beside the window marks where each sea lies.

It works with the mouse, the keyboard alone, touch screens and screen
readers; it scales on high-density screens and stays readable under dark
and high-contrast colour schemes, on X11 and Wayland. It reads and writes
no files and needs no network.]=])
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGE_CONTACT "Pelagor maintainers <maintainers@pelagor.example>")
set(CPACK_STRIP_FILES ON)

if(WIN32)
    # For Windows (the `windows` preset, scripts/windows.sh): an NSIS installer
    # and a zip of one folder, pelagor-<version>-win64.exe and .zip. Both hold
    # the program, its licence and a read-me.
    configure_file("${PROJECT_SOURCE_DIR}/docs/windows-readme.txt.in"
        "${PROJECT_BINARY_DIR}/README.txt" @ONLY)
    install(FILES "${PROJECT_BINARY_DIR}/README.txt" DESTINATION .)
    install(FILES "${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt"
        DESTINATION . RENAME LICENSE.txt)

    set(CPACK_GENERATOR NSIS ZIP)
    set(CPACK_PACKAGE_FILE_NAME "pelagor-${PROJECT_VERSION}-win64")
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Pelagor)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Pelagor)
    set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt")
    # A 64-bit installer (Wine on Debian runs 64-bit programs only), for every
    # user of the machine, under the 64-bit Program Files.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_PACKAGE_NAME "Пелагор")
    set(CPACK_NSIS_DISPLAY_NAME "Пелагор — океани и морета")
    # The Start-menu shortcut, in a folder "Пелагор" (the package name).
    set(CPACK_PACKAGE_EXECUTABLES pelagor "Пелагор — океани и морета")
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    # A second shortcut starts it with the map of the seas open. (CPack reads
    # these texts back once more, so their backslashes are doubled again;
    # NSIS takes single quotes as well as double.)
    set(pelagor_map_shortcut "Пелагор — карта на моретата.lnk")
    set(CPACK_NSIS_CREATE_ICONS_EXTRA
        "  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\${pelagor_map_shortcut}' '$INSTDIR\\\\pelagor.exe' '--map'")
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\${pelagor_map_shortcut}'")
    set(CPACK_NSIS_INSTALLED_ICON_NAME pelagor.exe)
    set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/window/icons/pelagor.ico")
    set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/window/icons/pelagor.ico")
    set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    set(CPACK_NSIS_URL_INFO_ABOUT ${PROJECT_HOMEPAGE_URL})
    set(CPACK_NSIS_CONTACT ${CPACK_PACKAGE_CONTACT})
    # The installer and the uninstaller speak Bulgarian whatever the language
    # of Windows: CMake's own NSIS script, with Bulgarian as its one language,
    # the uninstaller's Start-menu entry under a Bulgarian name and the
    # script's own two messages in Bulgarian. Made anew from the CMake that
    # builds, which must still hold every piece replaced.
    file(READ "${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in" nsis_script)
    function(pelagor_nsis_replace from to)
        string(FIND "${nsis_script}" "${from}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "CMake's NSIS script has no \"${from}\" to replace")
        endif()
        string(REPLACE "${from}" "${to}" replaced "${nsis_script}")
        set(nsis_script "${replaced}" PARENT_SCOPE)
    endfunction()
    pelagor_nsis_replace("!insertmacro MUI_LANGUAGE \"English\" ;first language is the default language"
        "!insertmacro PELAGOR_ONE_LANGUAGE")
    string(REGEX REPLACE "(\n *!insertmacro MUI_LANGUAGE \"[A-Za-z]+\")+" ""
        nsis_script "${nsis_script}")
    pelagor_nsis_replace("!insertmacro PELAGOR_ONE_LANGUAGE" "!insertmacro MUI_LANGUAGE \"Bulgarian\"")
    pelagor_nsis_replace("\\Uninstall.lnk\"" "\\Премахване на Пелагор.lnk\"")
    pelagor_nsis_replace("is already installed. $\\n$\\nDo you want to uninstall the old version before installing the new one?"
        "вече е инсталиран.$\\n$\\nДа бъде ли премахната старата версия преди инсталирането на новата?")
    pelagor_nsis_replace("\"Uninstall failed.\"" "\"Премахването не успя.\"")
    file(WRITE "${PROJECT_BINARY_DIR}/nsis/NSIS.template.in" "${nsis_script}")
    list(PREPEND CMAKE_MODULE_PATH "${PROJECT_BINARY_DIR}/nsis")
else()
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
# The Qt libraries it links, found by dpkg-shlibdeps; the serif font with
# Cyrillic that stands in for Times New Roman, and DejaVu, whose ✓ and ✗ mark
# the answers on a saved result (Liberation has neither).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core")

include(CPack)
