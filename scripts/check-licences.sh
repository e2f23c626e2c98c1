#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every file of the sources carries its copyright and licence,
# with `reuse lint`, over a copy of what the project holds: in a git checkout
# the files git tracks (so a log or notes left in the checkout are not read),
# in a tree without git everything but the build folders.
set -euo pipefail
cd "$(dirname "$0")/.."

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z | tar --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -xf - -C "$root"
else
    tar --exclude=./build --exclude=./.cache --exclude=./compile_commands.json -cf - . |
        tar -xf - -C "$root"
fi
if ! reuse --root "$root" lint --quiet 2>/dev/null; then
    reuse --root "$root" lint | tail -n 20
    exit 1
fi
echo "reuse lint: every file carries its copyright and licence"
