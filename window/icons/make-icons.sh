#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the PNG icons and the Windows icon from pelagor.svg. The 32 x 32
# icon is kept to a 256-colour palette; the larger ones are full colour.
#   window/icons/make-icons.sh
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 256; do
    rsvg-convert --width "$size" --height "$size" pelagor.svg --output "pelagor-$size.rgba.png"
done
convert pelagor-32.rgba.png -strip -colors 256 PNG8:pelagor-32.png
for size in 48 256; do
    convert "pelagor-$size.rgba.png" -strip "PNG32:pelagor-$size.png"
done
convert pelagor-16.rgba.png pelagor-32.png pelagor-48.png pelagor-256.png pelagor.ico
rm -f pelagor-*.rgba.png
