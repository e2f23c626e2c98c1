# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The `windows` preset's toolchain: MinGW-w64 (cmake/mingw-w64-x86_64.cmake)
# and the static Qt for Windows that scripts/build-qt-windows.sh leaves in its
# cache, with the host's Qt for moc, rcc and uic. PELAGOR_QT_WINDOWS names
# another Qt folder.
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake")

if(NOT "$ENV{PELAGOR_QT_WINDOWS}" STREQUAL "")
    set(pelagor_qt "$ENV{PELAGOR_QT_WINDOWS}")
else()
    execute_process(COMMAND "${CMAKE_CURRENT_LIST_DIR}/../scripts/build-qt-windows.sh" --where
        OUTPUT_VARIABLE pelagor_qt OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(NOT EXISTS "${pelagor_qt}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "No Qt for Windows in ${pelagor_qt}: scripts/build-qt-windows.sh builds it")
endif()

# A static Qt links its plugins (the Windows platform, its style, the icon
# format) into the program only when their packages are read; Debian's Qt 6.8
# turns that off by default, and without the platform plugin the program
# cannot start.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)

list(APPEND CMAKE_FIND_ROOT_PATH "${pelagor_qt}")
list(APPEND CMAKE_PREFIX_PATH "${pelagor_qt}")
execute_process(COMMAND dpkg-architecture -qDEB_HOST_MULTIARCH
    OUTPUT_VARIABLE pelagor_multiarch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/${pelagor_multiarch}/cmake")
