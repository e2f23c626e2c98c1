#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build, from Debian: installs what is missing, builds the static
# Qt for Windows once (scripts/build-qt-windows.sh, cached outside the
# checkout), cross-builds pelagor.exe with the `windows` preset and packs it:
#   build/windows/pelagor-<version>-win64.exe   the installer (NSIS, 64-bit)
#   build/windows/pelagor-<version>-win64.zip   the portable folder
# The test wine_installer (tests/test_wine.py) installs and runs it under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows
scripts/build-qt-windows.sh
PELAGOR_QT_WINDOWS=$(scripts/build-qt-windows.sh --where)
export PELAGOR_QT_WINDOWS
cmake --preset windows
cmake --build --preset windows
rm -f build/windows/pelagor-*-win64.exe build/windows/pelagor-*-win64.zip
(cd build/windows && cpack -C Release)
ls -l build/windows/pelagor-*-win64.exe build/windows/pelagor-*-win64.zip
