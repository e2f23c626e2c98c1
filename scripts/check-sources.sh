#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the project's own C++ sources, and fails on any finding:
#   clang-format (.clang-format) must have nothing to change, and
#   clang-tidy (.clang-tidy) must report nothing on any file the build compiles.
# Usage: scripts/check-sources.sh [build directory with compile_commands.json]
# (default build/). clang-tidy takes about ten seconds a file on Qt code, so
# the files run in parallel, PELAGOR_TIDY_JOBS at a time (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
folders=()
for folder in catalogue selection practice map window tests bench; do
    [ -d "$folder" ] && folders+=("$folder")
done

echo "clang-format: ${folders[*]}"
find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 clang-format --dry-run -Werror

# Our sources by their absolute paths; moc and other generated files live in
# the build directory and stay out.
root=$(printf '%s' "$PWD" | sed 's/[][\.*^$+?(){}|]/\\&/g')
pattern="^$root/($(IFS='|'; echo "${folders[*]}"))/"
echo "clang-tidy: files of $build/compile_commands.json under ${folders[*]}"
run-clang-tidy -p "$build" -j "${PELAGOR_TIDY_JOBS:-2}" -quiet "$pattern" 2>&1 |
    { grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' || true; }
