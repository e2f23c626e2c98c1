#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every file of the sources carries its copyright and licence,
# with `reuse lint`. In a git checkout reuse passes over what git ignores (the
# build folders); in a tree without git it lints a copy without them.
set -euo pipefail
cd "$(dirname "$0")/.."

root=.
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    root=$(mktemp -d)
    trap 'rm -rf "$root"' EXIT
    tar --exclude=./build --exclude=./.cache --exclude=./compile_commands.json -cf - . |
        tar -xf - -C "$root"
fi
if ! reuse --root "$root" lint --quiet; then
    reuse --root "$root" lint | tail -n 20
    exit 1
fi
echo "reuse lint: every file carries its copyright and licence"
