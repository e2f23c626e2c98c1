#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds into build/ and runs every test, then
# runs them again under the sanitizers and checks the sources.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh test
cmake --preset default -DBUILD_TESTING=ON -DPELAGOR_BUILD_BENCHMARKS=ON
cmake --build --preset default
ctest --preset default
# The same tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# into build/sanitize; any report fails them.
cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize
# clang-format and clang-tidy over our own sources; any finding fails.
scripts/check-sources.sh build
# Every file carries its copyright and licence, as `reuse lint` checks.
scripts/check-licences.sh
