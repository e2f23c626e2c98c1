#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Pelagor on a private Xvfb display, clicks the ocean "Тихи" and saves a
# picture of the window.
#   scripts/screenshot.sh [output.png] [scale] [scheme] [map]
# The scale (1 by default) is handed to Qt as QT_SCALE_FACTOR. The scheme is
# "light" (Qt's own colours, the default) or "dark": the "darker" scheme of
# the qt6ct platform theme, as a KDE-style desktop hands it to Qt programs.
# With map "ocean", "arctic" or "sea", F2 opens the map first, the pick is
# "Тихи" (after "Японско море"), "Северен ледовит" or "Черно море" (by the
# keys in the sea list), and the picture shows the window and the map side by
# side. With "practice-ocean", "practice-map" or "practice-end" the program
# starts a practice round (variant 42) and the picture shows the practice
# window: an ocean question, a map question answered wrong (three Tabs from
# the question and Enter, on a sea of Japan), or the end of a round of
# four ocean questions, each answered "1". With "practice-result" a pupil
# answers a round of ten ocean questions, seven right, and the picture is
# the first page of the result the round hands in (--result), as pdftoppm
# draws it.
# With "sea+card" or "ocean+card" the pick is the same and F4 then shows
# the card beside the map.
# With "card-sea" or "card-ocean" the picture shows the card of "Черно море"
# or of "Тихи" alone, as build/tests/card_preview shows it (as wide as it
# asks, 640 or 960 high).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/pelagor.png}")
scale=${2:-1}
scheme=${3:-light}
map=${4:-}
card=""
case "$map" in *+card) map=${map%+card} card=yes ;; esac
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

arguments=()
case "$map" in
    practice-ocean) arguments=(--practice --variant 42 --kind ocean --questions 5) ;;
    practice-map) arguments=(--practice --variant 42 --kind map --questions 5 --ocean Тихи) ;;
    practice-end) arguments=(--practice --variant 42 --kind ocean --questions 4) ;;
    practice-result)
        arguments=(--practice --variant 42 --kind ocean --questions 10
            --pupil "Иван Петров 7-а" --result "$config")
        ;;
    card-sea | card-ocean)
        program=${PELAGOR_CARD_PREVIEW:-build/tests/card_preview}
        arguments=('Черно море' 0 640)
        [ "$map" = card-sea ] || arguments=('Тихи' 0 960)
        ;;
esac
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "$program" "${arguments[@]}" &
app=$!
window=""
title='География'
[ ${#arguments[@]} -eq 0 ] || title='Упражнение'
case "$map" in card-*) title='Сведения' ;; esac
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
sleep 0.5
if [ ${#arguments[@]} -gt 0 ]; then
    keys=()
    case "$map" in
        practice-map) keys=(Tab Tab Tab Return) ;;
        practice-end) keys=(1 Return 1 Return 1 Return 1 Return) ;;
        practice-result) keys=(2 Return 4 Return 5 Return 1 Return 4 Return 4 Return 4 Return 1
            Return 5 Return 4 Return) ;;
    esac
    for key in "${keys[@]}"; do
        xdotool key "$key"
        sleep 0.3
    done
    sleep 0.5
    if [ "$map" = practice-result ]; then
        pdftoppm -png -r 80 -f 1 -l 1 -singlefile "$config"/*.pdf "${out%.png}"
        echo "saved $out"
        exit 0
    fi
    import -window "$window" "$out"
    echo "saved $out"
    exit 0
fi

at() { awk -v p="$1" -v s="$scale" 'BEGIN { printf "%d", p * s }'; }
if [ -n "$map" ]; then
    xdotool windowfocus --sync "$window" key F2
    sleep 1
fi
case "$map" in
    sea)
        # A click on the first sea row, then End and four rows up: "Черно море".
        xdotool mousemove --window "$window" "$(at 330)" "$(at 74)" click 1
        xdotool key End Up Up Up Up
        ;;
    arctic)
        # "Северен ледовит" is the third option, at (8, 60) in the frame.
        xdotool mousemove --window "$window" "$(at $((16 + 8 + 8)))" "$(at $((40 + 60 + 10)))" click 1
        ;;
    "" | ocean)
        if [ -n "$map" ]; then
            # First "Японско море", the last row, whose name the map then keeps.
            xdotool mousemove --window "$window" "$(at 330)" "$(at 74)" click 1
            xdotool key End
        fi
        # "Тихи" is the fourth option: frame at (16, 40), option at (8, 80) in it.
        xdotool mousemove --window "$window" "$(at $((16 + 8 + 8)))" "$(at $((40 + 80 + 10)))" click 1
        ;;
    *) echo "screenshot: unknown map pick $map (sea, ocean or arctic)" >&2; exit 2 ;;
esac
sleep 0.5
if [ -n "$card" ]; then
    xdotool key F4
    sleep 1
fi
if [ -z "$map" ]; then
    import -window "$window" "$out"
else
    # The window and the map, as they stand on the screen.
    mapwindow=$(xdotool search --onlyvisible --name 'Карта на моретата' | head -n 1)
    [ -n "$mapwindow" ] || { echo "screenshot: the map did not appear" >&2; exit 1; }
    xdotool mousemove 0 0
    sleep 0.3
    box() { xdotool getwindowgeometry --shell "$1" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["X"] + v["WIDTH"], v["Y"] + v["HEIGHT"] }'; }
    read -r x1 y1 x2 y2 < <(box "$window")
    read -r u1 v1 u2 v2 < <(box "$mapwindow")
    left=$((x1 < u1 ? x1 : u1)) top=$((y1 < v1 ? y1 : v1))
    right=$((x2 > u2 ? x2 : u2)) bottom=$((y2 > v2 ? y2 : v2))
    import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out"
fi
echo "saved $out"
