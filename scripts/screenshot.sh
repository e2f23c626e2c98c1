#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Pelagor on a private Xvfb display, clicks the ocean "Тихи" and saves a
# picture of the window.
#   scripts/screenshot.sh [output.png] [scale] [scheme]
# The scale (1 by default) is handed to Qt as QT_SCALE_FACTOR. The scheme is
# "light" (Qt's own colours, the default) or "dark": the "darker" scheme of
# the qt6ct platform theme, as a KDE-style desktop hands it to Qt programs.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/pelagor.png}")
scale=${2:-1}
scheme=${3:-light}
program=${PELAGOR:-build/window/pelagor}
mkdir -p "$(dirname "$out")"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
config=$(mktemp -d)
trap 'kill "$app" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; rm -rf "$config"' EXIT
case "$scheme" in
    light) ;;
    dark)
        mkdir -p "$config/qt6ct"
        printf '%s\n' '[Appearance]' 'color_scheme_path=/usr/share/qt6ct/colors/darker.conf' \
            'custom_palette=true' 'style=Fusion' >"$config/qt6ct/qt6ct.conf"
        export XDG_CONFIG_HOME=$config QT_QPA_PLATFORMTHEME=qt6ct
        ;;
    *) echo "screenshot: unknown scheme $scheme (light or dark)" >&2; exit 2 ;;
esac
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" &
app=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'География' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
sleep 0.5

# "Тихи" is the fourth option: frame at (16, 40), option at (8, 80) in it.
at() { awk -v p="$1" -v s="$scale" 'BEGIN { printf "%d", p * s }'; }
xdotool mousemove --window "$window" "$(at $((16 + 8 + 8)))" "$(at $((40 + 80 + 10)))" click 1
sleep 0.5
import -window "$window" "$out"
echo "saved $out"
