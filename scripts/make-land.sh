#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes map/land/land-50m.bin and map/land/land-10m.bin, the land the map
# draws: Natural Earth's land at 1:50m and at 1:10m as the npm package
# world-atlas 2.0.2 carries it (land-50m.json, land-10m.json). Fetches that
# exact package from the npm registry, checks it and the two files in it
# against the checksums recorded here and converts them with
# scripts/make-land.py (Python 3, nothing beyond its standard library). The
# build never runs this: the converted files are committed.
#   scripts/make-land.sh
set -euo pipefail
cd "$(dirname "$0")/.."

url=https://registry.npmjs.org/world-atlas/-/world-atlas-2.0.2.tgz
# The registry's integrity of the package (npm view world-atlas@2.0.2 dist),
# and its SHA-256.
integrity=sha512-IXfV0qwlKXpckz1FhwXVwKRjiIhOnWttOskm5CtxMsjgE/MXAYRHWJqgXOpM8IkcPBoXnyTU5lFHcYa5ChG0LQ==
sha256=032e7765f2ce00edaeafec23ff22bc3b77e42987c257da944cc585b452c05b97
# The SHA-256 of the two files taken from it.
land_50m=619477ff690c086885e45cb91707d783805561bd75ae8e437b7d4694b0204e0f
land_10m=9b9f584709c119d63fbadf484ce425260497697b7166be7a2fe360e8c0b171a8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
curl --fail --silent --show-error --location --output "$work/world-atlas.tgz" "$url"
echo "$sha256  $work/world-atlas.tgz" | sha256sum --check --quiet
python3 -c 'import base64, hashlib, sys
data = open(sys.argv[1], "rb").read()
sys.exit("sha512-" + base64.b64encode(hashlib.sha512(data).digest()).decode() != sys.argv[2])' \
    "$work/world-atlas.tgz" "$integrity" || { echo "world-atlas: integrity differs" >&2; exit 1; }
tar -xzf "$work/world-atlas.tgz" -C "$work" package/land-50m.json package/land-10m.json
echo "$land_50m  $work/package/land-50m.json" | sha256sum --check --quiet
echo "$land_10m  $work/package/land-10m.json" | sha256sum --check --quiet
python3 scripts/make-land.py "$work/package/land-50m.json" map/land/land-50m.bin
python3 scripts/make-land.py "$work/package/land-10m.json" map/land/land-10m.bin
