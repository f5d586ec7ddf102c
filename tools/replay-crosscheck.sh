#!/usr/bin/env bash
# Races every replay file of a folder again with both builds of vorta-replay, the native one and
# the Windows one under Wine, each printing every frame's state as the bits of its numbers, and
# tells whether the two agree to the last bit over each whole run (not a test: the C libraries'
# pow differs by one unit in the last place for some arguments; see docs/replay-format.md).
# Usage: tools/replay-crosscheck.sh FOLDER   (the game writes its replays to replays\ beside it)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORTA_BUILD_DIR:-$root/build}
folder=${1:?usage: replay-crosscheck.sh FOLDER}
native=$build/tools/vorta-replay
windows=$build/win64/tools/vorta-replay.exe
[ -x "$native" ] && [ -f "$windows" ] || { echo "replay-crosscheck: build vorta-replay first" >&2; exit 2; }
source "$root/tools/wine-env.sh"
export WINEPREFIX=${VORTA_WINEPREFIX:-$build/wineprefix}
work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true' EXIT

same=0 differ=0 refused=0
for file in "$folder"/*.vrp; do
  [ -e "$file" ] || continue
  name=$(basename "$file")
  if ! "$native" --trace "$file" >"$work/native.csv" 2>"$work/error.txt"; then
    echo "$name: refused: $(cat "$work/error.txt")"
    refused=$((refused + 1))
    continue
  fi
  wine "$windows" --trace "Z:${file//\//\\}" 2>/dev/null | tr -d '\r' >"$work/windows.csv" || true
  if cmp -s "$work/native.csv" "$work/windows.csv"; then
    same=$((same + 1))
  else
    differ=$((differ + 1))
    first=$(diff "$work/native.csv" "$work/windows.csv" | sed -n 2p)
    echo "$name: the builds part at frame ${first#< }; finish: native $(tail -n1 "$work/native.csv" | cut -d, -f8) ms, Windows $(tail -n1 "$work/windows.csv" | cut -d, -f8) ms"
  fi
done
echo "$((same + differ)) runs raced by both builds: $same identical to the last bit, $differ not; $refused refused"
