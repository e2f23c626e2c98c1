#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a desktop of its own: an X display and a D-Bus session bus,
# as a program has them on any desktop. Xvfb picks a free display and names it
# through -displayfd, so tests running side by side never share one; the bus
# activates no services. Both are stopped by their process ids afterwards.
#   tests/with_xvfb.sh COMMAND [ARGUMENT...]
set -euo pipefail
here=$(dirname "$0")

scratch=$(mktemp -d)
pids=()
stop() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap stop EXIT

# Starts a server that writes one line on descriptor 3 once it is ready, and
# keeps that line in $ready; exits if none comes.
start() {
    local name=$1
    shift
    rm -f "$scratch/ready"
    mkfifo "$scratch/ready"
    "$@" 3>"$scratch/ready" >"$scratch/$name.log" 2>&1 &
    pids+=($!)
    ready=""
    read -r -t 30 ready <"$scratch/ready" || true
    if [ -z "$ready" ]; then
        echo "with_xvfb: $name did not start" >&2
        cat "$scratch/$name.log" >&2
        exit 1
    fi
}

# Another test's X server that stops just as this one starts can take the
# display's socket with it, so a display that does not answer as this one's own
# (its odd screen size) is given up for a new one, three times at most.
size=1283x1021
for attempt in 1 2 3; do
    start xvfb Xvfb -displayfd 3 -screen 0 ${size}x24 -nolisten tcp -noreset
    display=:$ready
    for _ in $(seq 50); do
        grep -q "dimensions: *$size" <<<"$(DISPLAY=$display xdpyinfo 2>/dev/null)" && break 2
        sleep 0.1
    done
    echo "with_xvfb: display $display is not this one's own (attempt $attempt)" >&2
    [ "$attempt" -lt 3 ] || exit 1
done

start bus dbus-daemon --nofork --print-address=3 --config-file="$here/session-bus.conf"
address=$ready

status=0
DISPLAY=$display DBUS_SESSION_BUS_ADDRESS=$address "$@" || status=$?
exit "$status"
