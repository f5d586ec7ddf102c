# End-to-end test helpers: run vorta.exe under Wine on a private X server, press keys, take
# screenshots, and clean up everything started, also on failure. Source it from a test.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"

: "${VORTA_EXE:?VORTA_EXE must name the vorta.exe under test}"
e2e_name=$(basename "$0" .sh)
e2e_work=${VORTA_E2E_WORK:-/tmp/vorta-e2e}/$e2e_name
game_pid=""
game_window=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

e2e_cleanup() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null
    sleep 0.5
    kill -9 "$game_pid" 2>/dev/null
  fi
  pkill -f "$e2e_work/.*vorta.exe" 2>/dev/null || true
  vorta_wine_stop
  vorta_xvfb_stop
}

# A fresh working folder (the game's .ini, .sav and .log live there) and an X server.
# $1: screen geometry (full-screen tests need 640x480x24).
e2e_setup() {
  rm -rf "$e2e_work"
  mkdir -p "$e2e_work"
  cp "$VORTA_EXE" "$e2e_work/vorta.exe"
  trap e2e_cleanup EXIT
  vorta_wine_prefix_init
  vorta_xvfb_start "${1:-1024x768x24}" || fail "Xvfb did not start"
}

# Starts the game with the given arguments in the working folder.
e2e_start() {
  (cd "$e2e_work" && exec wine "$e2e_work/vorta.exe" "$@" >"$e2e_work/wine.out" 2>&1) &
  game_pid=$!
}

# Waits for the game's window; sets game_window.
e2e_wait_window() {
  local i
  for i in $(seq 1 150); do
    game_window=$(xdotool search --name '^vorta ~Mark Q~ Ver0\.75$' 2>/dev/null | head -n1)
    [ -n "$game_window" ] && { xdotool windowfocus "$game_window" 2>/dev/null; return 0; }
    sleep 0.2
  done
  fail "the game window did not appear"
}

# Holds a key long enough for a per-frame poll to see it.
e2e_press() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown "$1"
  sleep "${2:-0.15}"
  xdotool keyup "$1"
}

e2e_alt_f4() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown alt
  sleep 0.1
  xdotool key F4
  sleep 0.1
  xdotool keyup alt
}

# Waits up to $1 seconds for the game to end; fails otherwise.
e2e_wait_exit() {
  local i
  for i in $(seq 1 $(($1 * 10))); do
    kill -0 "$game_pid" 2>/dev/null || { wait "$game_pid" 2>/dev/null; game_pid=""; return 0; }
    sleep 0.1
  done
  fail "the game did not end within $1 s"
}

# Screenshot of the whole X screen as PNG.
e2e_screenshot() {
  xwd -root -silent | convert xwd:- "$1"
}

# "r g b" of one pixel of a PNG.
e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# The probe that looks at the game from beside it (tools/probe), built next to vorta.exe.
e2e_probe() {
  wine "$(dirname "$VORTA_EXE")/vorta_probe.exe" "$@" 2>/dev/null | tr -d '\r'
}
