#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds into build/ and starts Pelagor.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh run
# The program alone: the tests and benchmarks are ./test.sh's.
cmake --preset default -DBUILD_TESTING=OFF -DPELAGOR_BUILD_BENCHMARKS=OFF
cmake --build --preset default
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: built build/window/pelagor, but there is no display to show it on." >&2
    echo "run.sh: start it from a desktop session, or run QT_QPA_PLATFORM=offscreen ./run.sh" >&2
    exit 1
fi
exec build/window/pelagor "$@"
