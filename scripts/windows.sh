#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build, from Debian, on Debian 13's Qt 6.8 (the first Qt whose
# accessibility hands announcements to Windows' screen readers): in a Debian
# 13 root of its own (scripts/test-on-debian.sh 13 --root windows, kept
# between runs), it installs what is missing, builds the static Qt for
# Windows once from Debian 13's qt6-base source (scripts/build-qt-windows.sh,
# cached inside that root), cross-builds pelagor.exe from what is committed
# with the `windows` preset and packs it. Left on this machine:
#   build/windows/pelagor-<version>-win64.exe   the installer (NSIS, 64-bit)
#   build/windows/pelagor-<version>-win64.zip   the portable folder
#   build/windows/installer.txt                 the installer's name and
#                                               SHA-256, for the Wine test
# and it installs what the Wine test (tests/test_wine.py, `wine_installer`)
# needs here. Needs root.
# Usage: scripts/windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --in-root ]; then
    out=build/windows
    mkdir -p "$out"
    # Nothing of an earlier run is left to be taken for this one's.
    rm -f "$out"/pelagor-*-win64.exe "$out"/pelagor-*-win64.zip "$out"/pelagor.exe \
        "$out"/installer.txt "$out"/qt.txt
    scripts/install-deps.sh wine
    scripts/test-on-debian.sh 13 --root windows --out "$out" -- scripts/windows.sh --in-root
    cat "$out/qt.txt"
    ls -l "$out"/pelagor-*-win64.exe "$out"/pelagor-*-win64.zip
    exit 0
fi

# In the root: /src is the committed tree, /out the host's build/windows.
scripts/install-deps.sh windows
scripts/build-qt-windows.sh
PELAGOR_QT_WINDOWS=$(scripts/build-qt-windows.sh --where)
export PELAGOR_QT_WINDOWS
cmake --preset windows
cmake --build --preset windows
(cd build/windows && cpack -C Release)

# The Qt inside the executable is the one built: its build string is there.
qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
qt_version=${qt_version#*:}
qt_version=${qt_version%%[+~-]*}
# So is the announcement a screen reader gets each answer by (Qt 6.8 and later).
exe=build/windows/pelagor.exe
grep -aqF "Qt $qt_version (x86_64" "$exe" || {
    echo "windows: $exe does not carry Qt $qt_version's build string" >&2
    exit 1
}
x86_64-w64-mingw32-nm -C "$exe" | grep "QAccessibleAnnouncementEvent::~" >/dev/null || {
    echo "windows: $exe hands no announcements to screen readers" >&2
    exit 1
}
{
    echo "Qt for Windows: $qt_version, static ($(cat "$PELAGOR_QT_WINDOWS/pelagor-qt-build.txt"))"
    grep -aoE "Qt $qt_version \([^)]*\)" "$exe" | head -n 1
    echo "Announcements to screen readers: compiled in"
} >/out/qt.txt

installer=$(cd build/windows && ls pelagor-*-win64.exe)
cp "build/windows/$installer" build/windows/pelagor-*-win64.zip "$exe" /out/
(cd /out && sha256sum "$installer") >/out/installer.txt
