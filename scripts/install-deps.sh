#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Pelagor needs, if any is missing. Quiet and safe
# to run again; asks for nothing. Every name is one that Debian 12 and 13 both
# have.
# Usage: scripts/install-deps.sh run      what building and running the program need
#        scripts/install-deps.sh test     that, and what the tests and checks use
#        scripts/install-deps.sh windows  run's, and what the Windows build
#                                         (scripts/build-qt-windows.sh and the
#                                         `windows` preset, in a Debian 13 root) uses
#        scripts/install-deps.sh wine     what the Wine test of the Windows
#                                         build (tests/test_wine.py) uses
set -euo pipefail
case "${1:-}" in
run | test | windows | wine) ;;
*) echo "usage: $0 run|test|windows|wine" >&2; exit 2 ;;
esac

packages=(
    # build
    build-essential cmake ninja-build file
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-l10n-tools
    # the font the window asks for, and the one with the ✓ and ✗ of a
    # saved result
    fonts-liberation fonts-dejavu-core
)
[ "$1" = test ] && packages+=(
    # the benchmarks' measurer of start-up speaks to X through libxcb
    pkgconf libxcb1-dev
    # X displays, screenshots, icons
    xvfb x11-utils xdotool imagemagick librsvg2-bin
    # the desktops the tests start: colour schemes, the Orca screen reader on
    # openbox, the weston compositor with Qt's Wayland platform, their buses
    qt6ct qt6-gtk-platformtheme
    orca openbox at-spi2-core dbus-daemon python3 python3-pyatspi procps
    speech-dispatcher
    weston qt6-wayland
    # Qt's private platform accessibility, which the in-process record of what
    # a screen reader is handed turns on
    qt6-base-private-dev
    # source checks, sanitizers, packaging, licences
    clang clang-tidy clang-format libclang-rt-dev
    desktop-file-utils appstream dpkg-dev lintian man-db groff-base
    reuse
    # a practice result read back from its PDF
    poppler-utils
)
[ "$1" = windows ] && packages+=(
    # Debian's source of its Qt, unpacked; the MinGW-w64 cross compiler
    # (posix threads); the installer's compiler
    dpkg-dev xz-utils g++-mingw-w64-x86-64-posix nsis
)
[ "$1" = wine ] && packages=(
    # the Wine test: 64-bit Wine, its desktop, the clipboard and a practice
    # result's PDF read back; CMake registers the test
    cmake wine64 xvfb openbox x11-utils xdotool xclip poppler-utils python3
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo; missing: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
