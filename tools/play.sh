#!/usr/bin/env bash
# Builds vorta.exe and starts it under Wine, in a window. Extra arguments (such as /d) go to
# the game. Its vorta.ini, vorta.sav and vorta.log live in build/play.
set -euo pipefail
source "$(dirname "$0")/configure.sh"

cmake --build "$build" -j2 --target win64

play_dir=$build/play
mkdir -p "$play_dir"
# A first start on a desktop is friendlier in a window than in a changed screen mode.
[ -f "$play_dir/vorta.ini" ] || printf '[VORTA]\r\nWINDOW=1\r\n' >"$play_dir/vorta.ini"

export VORTA_WINEPREFIX=$build/wineprefix
source "$root/tools/wine-env.sh"
vorta_wine_prefix_init
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: starting the game on a virtual one (Xvfb)." >&2
  vorta_xvfb_start 1024x768x24
  trap vorta_xvfb_stop EXIT
fi
cd "$play_dir"
# Debian's wine command asks for wine32, which a 64-bit game does not need, and ALSA complains
# on a machine without a sound card: neither matters, and both would hide what does.
wine "$build/win64/vorta.exe" "$@" 2> >(grep -v -e 'wine32 is missing' -e 'multiarch needs' \
  -e 'dpkg --add-architecture' -e 'apt-get install wine32' -e '^ALSA lib' >&2)
