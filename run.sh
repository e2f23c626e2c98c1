#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts Pelagor.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
if [ -x build/window/pelagor ]; then
    exec build/window/pelagor "$@"
fi
echo "Built; the window is not part of this build yet."
