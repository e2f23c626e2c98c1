#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt for 64-bit Windows with MinGW-w64 from Debian's own
# source of the host's Qt (qt6-base, the version dpkg reports for
# qt6-base-dev: 6.8.2 on Debian 13, where scripts/windows.sh runs it; 6.4.2
# on Debian 12), and installs it into a cache folder
# outside the checkout, keyed by that version and reused when present:
#   ${PELAGOR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pelagor}/qt-<version>-mingw-static
# Only Core, Gui, Widgets, the Windows platform plugin and the Windows style,
# with the bundled zlib, PCRE2, FreeType, HarfBuzz and libpng; the host's Qt
# gives moc, rcc and uic. The source comes only from Debian's archive, from
# the mirror the host's apt sources name, fetched with a temporary source
# list (the host's apt configuration is left as it is). The build runs in a
# temporary folder beside the cache and is moved into place only when
# installed whole, so an interrupted build never looks cached. It took 26 to
# 43 minutes on 2 cores shared with other work (it runs under nice); 104 MB.
# Usage: scripts/build-qt-windows.sh          builds it unless cached; prints
#                                             the Qt folder on its last line
#        scripts/build-qt-windows.sh --where  prints the Qt folder; exits 1
#                                             when it is not (yet) there
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

read -r source_package source_version < <(dpkg-query -W -f='${source:Package} ${source:Version}\n' qt6-base-dev)
qt_version="${source_version#*:}"
qt_version="${qt_version%%[+~-]*}"
cache_root="${PELAGOR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/pelagor}"
qt_dir="$cache_root/qt-$qt_version-mingw-static"
if [ "${1:-}" = --where ]; then
    echo "$qt_dir"
    [ -f "$qt_dir/lib/cmake/Qt6/Qt6Config.cmake" ]
    exit
fi
mkdir -p "$cache_root"

# One build at a time; a second caller waits and then finds it cached.
exec 9>"$cache_root/.qt-$qt_version.lock"
flock 9
if [ -f "$qt_dir/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "build-qt-windows: Qt $qt_version for Windows is cached"
    echo "$qt_dir"
    exit 0
fi

work="$(mktemp -d "$cache_root/.qt-$qt_version-build.XXXXXX")"
trap 'rm -rf "$work"' EXIT
start=$(date +%s)

# Debian's source package, from the Debian mirrors the host's apt already uses
# (the entries apt-cache labels "l=Debian"), through a temporary deb-src list.
apt-cache policy | awk '
    /^ *[0-9]+ [a-z+]+:\/\// { uri = $2; n = split($3, part, "/"); suite = part[1]; component = part[2]; next }
    /^ *release .*l=Debian,/ && uri != "" { print "deb-src " uri " " suite " " component }
    { uri = "" }' | sort -u >"$work/sources.list"
[ -s "$work/sources.list" ] || { echo "build-qt-windows: no Debian mirror in apt's sources" >&2; exit 1; }
mkdir -p "$work/lists/partial" "$work/apt-cache/archives/partial" "$work/source"
apt_options=(-q -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/apt-cache")
[ "$(id -u)" -eq 0 ] && apt_options+=(-o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" update >/dev/null
(cd "$work/source" && apt-get "${apt_options[@]}" source --download-only "$source_package=$source_version" >/dev/null)
dpkg-source --no-check -x "$work/source/${source_package}_${source_version#*:}.dsc" "$work/source/qtbase" >/dev/null

# Debian's source has no wintab.h (tablet events off), and with OpenGL off
# Qt 6.4's Windows plugin compiles only with dynamic GL off too. Direct2D
# stays on: without it Qt 6.4's Gui leaves out the DirectWrite font database
# that the Windows plugin links.
host_cmake="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
cmake -S "$work/source/qtbase" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$qt_dir" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_vulkan=OFF -DFEATURE_testlib=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF >"$work/configure.log"
nice -n 10 cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build" --prefix "$work/install" >/dev/null
seconds=$(($(date +%s) - start))
printf 'Debian source %s %s, built in %d s on %s cores\n' \
    "$source_package" "$source_version" "$seconds" "$(nproc)" >"$work/install/pelagor-qt-build.txt"
mv "$work/install" "$qt_dir"
echo "build-qt-windows: Qt $qt_version for Windows built in $((seconds / 60)) min $((seconds % 60)) s"
echo "$qt_dir"
