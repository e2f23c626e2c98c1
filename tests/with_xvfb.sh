#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on an X display of its own: starts Xvfb on a free display
# (Xvfb picks it and names it through -displayfd, so tests running side by
# side never share one), runs the command with DISPLAY set, and stops that
# Xvfb by its process id afterwards.
#   tests/with_xvfb.sh COMMAND [ARGUMENT...]
set -euo pipefail

scratch=$(mktemp -d)
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
xvfb=$!
stop() {
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap stop EXIT

number=""
read -r -t 30 number <"$scratch/display" || true
if [ -z "$number" ]; then
    echo "with_xvfb: Xvfb did not start" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
fi
status=0
DISPLAY=:$number "$@" || status=$?
exit "$status"
