#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks how the program installs and packages, as version VERSION:
#   check_install.sh install BUILD_DIR VERSION   cmake --install into a scratch prefix
#   check_install.sh deb BUILD_DIR VERSION       cpack -G DEB, lintian on it, then
#                                                unpack it and start it
# Run inside desktop_session.py, which keeps its temporary folder.
set -euo pipefail
mode=$1
build=$(realpath "$2")
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
id=example.pelagor.Pelagor
failures=0

expect_files() {
    local root=$1
    for file in \
        bin/pelagor \
        "share/applications/$id.desktop" \
        "share/metainfo/$id.metainfo.xml" \
        "share/icons/hicolor/32x32/apps/$id.png" \
        "share/icons/hicolor/48x48/apps/$id.png" \
        "share/icons/hicolor/256x256/apps/$id.png" \
        "share/icons/hicolor/scalable/apps/$id.svg" \
        share/man/man1/pelagor.1.gz \
        share/man/bg/man1/pelagor.1.gz \
        share/doc/pelagor/copyright \
        share/doc/pelagor/changelog.gz; do
        if [ ! -f "$root/$file" ]; then
            echo "missing: $file"
            failures=$((failures + 1))
        fi
    done
    [ -x "$root/bin/pelagor" ] || { echo "not executable: bin/pelagor"; failures=$((failures + 1)); }
    for size in 32 48 256; do
        actual=$(file -b "$root/share/icons/hicolor/${size}x${size}/apps/$id.png")
        case "$actual" in
            *"$size x $size"*) ;;
            *) echo "icon ${size}x${size} is $actual"; failures=$((failures + 1)) ;;
        esac
    done
}

# The manual pages render without a warning from man and groff, name the
# program, its version and licence, and are compressed reproducibly (no name,
# no time stamp), as is the changelog.
expect_manual_pages() {
    local root=$1 page summary
    for entry in "share/man/man1/pelagor.1.gz|pelagor - oceans and their seas" \
        "share/man/bg/man1/pelagor.1.gz|pelagor - океани и морета"; do
        page=$root/${entry%%|*}
        summary=${entry#*|}
        [ -f "$page" ] || continue
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        if [ -n "$warnings" ]; then
            echo "man warns on ${entry%%|*}:"; echo "$warnings"
            failures=$((failures + 1))
        fi
        text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
        for wanted in "$summary" "GPL-3.0-or-later" "$version" "Copyright 2026 The Pelagor developers"; do
            grep -qF -- "$wanted" <<<"$text" || { echo "${entry%%|*} lacks: $wanted"; failures=$((failures + 1)); }
        done
    done
    for gz in share/man/man1/pelagor.1.gz share/man/bg/man1/pelagor.1.gz share/doc/pelagor/changelog.gz; do
        [ -f "$root/$gz" ] || continue
        kind=$(file -b "$root/$gz")
        case "$kind" in
            *"max compression"*) ;;
            *) echo "$gz is not gzip -9: $kind"; failures=$((failures + 1)) ;;
        esac
        case "$kind" in
            *"was \""* | *"last modified"*) echo "$gz carries a name or a time: $kind"; failures=$((failures + 1)) ;;
        esac
    done
}

case "$mode" in
install)
    cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
    expect_files "$scratch/prefix"
    expect_manual_pages "$scratch/prefix"
    ;;
deb)
    (cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
    deb=$(ls "$scratch"/package/pelagor_*.deb)
    fields=$(dpkg-deb --field "$deb" Package Version Maintainer Depends Description)
    echo "$fields"
    for wanted in "Version: $version" "Maintainer: " "libqt6widgets6" "libqt6gui6" "libqt6core6" \
        "fonts-liberation" "Description: "; do
        grep -q -- "$wanted" <<<"$fields" || { echo "control lacks: $wanted"; failures=$((failures + 1)); }
    done
    # lintian as a distribution runs it: any error or warning fails; the
    # informational tags are shown too. (As root it warns that it is root.)
    status=0
    report=$(lintian --fail-on error,warning --display-info --pedantic "$deb" 2>&1) || status=$?
    report=$(grep -v '^running with root privileges' <<<"$report" || true)
    echo "lintian: ${report:-clean}"
    if [ "$status" -ne 0 ]; then
        echo "lintian finds errors or warnings (status $status)"
        failures=$((failures + 1))
    fi
    dpkg-deb -x "$deb" "$scratch/root"
    expect_files "$scratch/root/usr"
    expect_manual_pages "$scratch/root/usr"
    # The changelog's latest entry is the packaged version.
    head=$(zcat "$scratch/root/usr/share/doc/pelagor/changelog.gz" | head -n 1)
    case "$head" in
        "pelagor ($version) "*) ;;
        *) echo "changelog begins: $head"; failures=$((failures + 1)) ;;
    esac
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$scratch/root/usr/share/doc/pelagor/copyright" ||
        { echo "copyright lacks: the machine-readable Format line"; failures=$((failures + 1)); }
    # It answers --version as a command-line program does, with the packaged version.
    said=$(QT_QPA_PLATFORM=offscreen "$scratch/root/usr/bin/pelagor" --version 2>/dev/null)
    [ "$said" = "pelagor $version" ] || { echo "--version says: $said"; failures=$((failures + 1)); }
    # Its window shows at its size, on a display of its own.
    PELAGOR_TIME_LIMIT=60 "$(dirname "$0")/desktop_session.py" --x11 --window 482x421 -- \
        "$scratch/root/usr/bin/pelagor" || failures=$((failures + 1))
    ;;
*)
    echo "usage: check_install.sh install|deb BUILD_DIR VERSION" >&2
    exit 2
    ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s)"
    exit 1
fi
echo "all as expected"
