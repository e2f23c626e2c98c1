#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark: the clicks beside their floors and the map of the seas
# beside its baselines (offscreen, at 100 % and 200 %), then start-up and peak
# memory of pelagor against the baseline window on a private Xvfb.
#   bench/run.sh [click-iterations] [start-up-pairs]        (defaults 400 and 20)
# Builds what it needs with the default preset into build/, or into the
# directory PELAGOR_BUILD_DIR names. With PELAGOR_OLD_BUILD naming the build
# directory of an earlier commit (configured with PELAGOR_BUILD_BENCHMARKS=ON
# and built), the map's first frame is also measured beside that build's, in
# alternation, and pelagor's start-up and memory beside that build's pelagor,
# by the clock and under callgrind (3 pairs). Measurements only: nothing is
# asserted.
set -euo pipefail
cd "$(dirname "$0")/.."
iterations=${1:-400}
pairs=${2:-20}
build=${PELAGOR_BUILD_DIR:-build}

scripts/install-deps.sh
cmake --preset default -B "$build" >/dev/null
cmake --build "$build" --target pelagor click_bench map_bench startup_bench baseline_window

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
echo
echo "== machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
echo "== clicks through the real window beside their floors (offscreen platform)"
QT_QPA_PLATFORM=offscreen "$build/bench/click_bench" "$iterations"

echo
echo "== the map of the seas: F2 to its first frame, picks to its repaint, beside baselines (offscreen)"
old=${PELAGOR_OLD_BUILD:-}
QT_QPA_PLATFORM=offscreen "$build/bench/map_bench" "$((iterations / 2))" \
    ${old:+"--old=$old/bench/map_bench"}

echo
echo "== start-up to the first frame and peak RSS, A = pelagor, B = baseline_window"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$build/bench/startup_bench" "$pairs" "$build/window/pelagor" "$build/bench/baseline_window"
if [[ -n $old ]]; then
    echo
    echo "== start-up and peak RSS, A = pelagor, B = $old/window/pelagor"
    "$build/bench/startup_bench" "$pairs" "$build/window/pelagor" "$old/window/pelagor"
    echo
    echo "== start-up under callgrind (to the first frame and 300 ms after), A = pelagor, B = $old/window/pelagor"
    profiles=$(mktemp -d)
    "$build/bench/startup_bench" "--callgrind=$profiles" 3 "$build/window/pelagor" \
        "$old/window/pelagor" >/dev/null
    for profile in "$profiles"/callgrind.*; do
        echo "$(basename "$profile") $(callgrind_annotate "$profile" | grep 'PROGRAM TOTALS')"
    done
    rm -r "$profiles"
fi
