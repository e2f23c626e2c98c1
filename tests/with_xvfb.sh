#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a desktop of its own: an X display and a D-Bus session bus,
# as a program has them on any desktop. Xvfb picks a free display and names it
# through -displayfd, so tests running side by side never share one; the bus
# activates no services. Both are stopped by their process ids afterwards.
#   tests/with_xvfb.sh COMMAND [ARGUMENT...]
set -euo pipefail

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

# Reads the line a server writes on the named pipe once it is ready.
started() {
    local line=""
    read -r -t 30 line <"$1" || true
    printf '%s' "$line"
}

mkfifo "$scratch/display" "$scratch/bus"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
number=$(started "$scratch/display")
if [ -z "$number" ]; then
    echo "with_xvfb: Xvfb did not start" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
fi

cat >"$scratch/session.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$scratch</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --nofork --print-address=3 --config-file="$scratch/session.conf" \
    3>"$scratch/bus" >"$scratch/bus.log" 2>&1 &
pids+=($!)
address=$(started "$scratch/bus")
if [ -z "$address" ]; then
    echo "with_xvfb: the session bus did not start" >&2
    cat "$scratch/bus.log" >&2
    exit 1
fi

status=0
DISPLAY=:$number DBUS_SESSION_BUS_ADDRESS=$address "$@" || status=$?
exit "$status"
