#!/usr/bin/env bash
# Builds everything (native core, tools, both Windows builds) and runs every test with CTest:
# native unit tests and fuzzers, Windows-side tests and end-to-end tests under Wine.
set -euo pipefail
source "$(dirname "$0")/configure.sh"

# Only the native unit tests need only their own program: a contributor's quick loop.
if [ "$*" = "-L native" ]; then
  cmake --build "$build" -j2 --target core_tests
else
  cmake --build "$build" -j2
fi

# Wine's server outlives the programs it served; stop it so nothing is left running.
export VORTA_WINEPREFIX=$build/wineprefix
trap 'WINEPREFIX=$VORTA_WINEPREFIX wineserver -k >/dev/null 2>&1 || true' EXIT
ctest --test-dir "$build" --output-on-failure -j2 "$@"
