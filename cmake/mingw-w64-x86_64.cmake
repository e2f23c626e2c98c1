# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the -posix
# flavour, whose C++ threads Qt needs). Used to build Qt itself
# (scripts/build-qt-windows.sh) and, through cmake/windows.cmake, the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PELAGOR_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PELAGOR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELAGOR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PELAGOR_MINGW_TRIPLET}-windres)

# Libraries and headers come from MinGW's own tree (and the Qt added to the
# root path); programs run during the build come from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${PELAGOR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
