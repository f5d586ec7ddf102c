#!/usr/bin/env bash
# Draws every golden picture again and makes the drawn ones the approved pictures in
# tests/golden, for a change of the screens made on purpose. Look at each changed picture
# before committing it. Arguments go to ctest, e.g. -R race_dial to redraw only those.
set -euo pipefail
source "$(dirname "$0")/configure.sh"
cmake --build "$build" -j2
export VORTA_WINEPREFIX=$build/wineprefix
trap 'WINEPREFIX=$VORTA_WINEPREFIX wineserver -k >/dev/null 2>&1 || true' EXIT
VORTA_UPDATE_GOLDEN=1 ctest --test-dir "$build" -L pictures "$@"
git -C "$root" status --short -- tests/golden
