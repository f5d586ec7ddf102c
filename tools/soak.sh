#!/usr/bin/env bash
# Soak run (a script, and in a short form a test): plays random keys at vorta.exe under Wine
# for the given time, through every screen, then leaves in order. Prints the game's memory and
# handle count at the start and at the end, and fails on a crash (the game gone without an
# orderly exit, or a message box), a hang (its loop not answering for 2 s) or growth beyond
# noise.
# Usage: tools/soak.sh [seconds]   (default 60)
#   VORTA_WIN64_DIR=<a built Windows build> skips building the whole tree.
set -uo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${VORTA_WIN64_DIR:-}" ]; then
  source "$root/tools/configure.sh"
  cmake --build "$build" -j2 --target win64 >/dev/null || exit 1
  VORTA_WIN64_DIR=$build/win64
  export VORTA_WINEPREFIX=${VORTA_WINEPREFIX:-$build/wineprefix}
fi
source "$root/tools/wine-env.sh"
probe=$VORTA_WIN64_DIR/vorta_probe.exe
work=$(mktemp -d)
game_pid=""

# Growth allowed between the first and the last sample of one run of the game, both on the
# title after a first race. It is judged on the memory committed in the game's Windows address
# space: the resident set also holds the host's OpenGL driver, whose Direct3D buffers Wine takes
# in 64 MB pieces and keeps for reuse (one to three of them, depending on timing), which is
# printed but is not the game's to leak. The committed memory itself moves by a few MB from
# one title visit to the next, as Wine's heaps keep what was freed.
max_growth_kb=8192
max_handle_growth=16

cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  vorta_wine_stop
  vorta_xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "SOAK FAILED: $*" >&2
  exit 1
}

vorta_wine_prefix_init
# 640x480x16: F2 can take the game to full screen and back.
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
cp "$VORTA_WIN64_DIR/vorta.exe" "$work/vorta.exe"

probe() {
  local out status
  out=$(wine "$probe" "$@" 2>/dev/null)
  status=$?
  printf '%s\n' "${out//$'\r'/}"
  return $status
}

start_game() {
  (cd "$work" && exec wine "$work/vorta.exe" >/dev/null 2>&1) &
  game_pid=$!
  local window
  window=$(vorta_wait_window)
  [ -n "$window" ] || fail "the game window did not appear"
  game_window=$window
  sleep 3
}

# The title's EXIT row (the last of its menu) as the game shows it now, as PNG $1, from where
# the window's client area is on the screen: in a window on this 640x480 screen the title bar
# pushes it down and X clips it to 640x463, in full screen it fills the screen.
exit_row() {
  local origin x=0 y=0
  origin=$(xwininfo -children -id "$game_window" 2>/dev/null |
    sed -n 's/.* [0-9]*x[0-9]*+-\{0,1\}[0-9]*+-\{0,1\}[0-9]*  *+\([0-9]*\)+\([0-9]*\)$/\1 \2/p' | head -n1)
  [ -n "$origin" ] && read -r x y <<<"$origin"
  # Only its shape counts (lit or dark): under Wine a window on a 16-bit screen shows other
  # colours than full screen does.
  xwd -root -silent | convert xwd:- -crop "304x32+$((x + 168))+$((y + 358))" +repage \
    -colorspace gray -threshold 10% "$1"
}

# Whether the title shows its cursor on EXIT, against the picture taken in warm_up.
exit_chosen() {
  [ -f "$work/exit_chosen.png" ] || return 1
  exit_row "$work/exit_now.png" 2>/dev/null || return 1
  local differ
  # About 2,500 of the row's 9,728 pixels change with the cursor; under 100 between the modes.
  differ=$(compare -metric AE "$work/exit_chosen.png" "$work/exit_now.png" null: 2>&1)
  [ "${differ%% *}" -lt 500 ] 2>/dev/null
}

# One random key, held for a random part of a second. Arrows, Alt and Ctrl (the race's
# controls and the menus) come most often; Space, Return, Esc, F1 and F2 less. Space on the
# title's EXIT becomes Down: one run of the game is to last the whole soak, so that its memory
# is watched over all of it (the exit in order is the Alt+F4 at the end).
keys=(Up Down Left Right Up Down Left Right Alt_L Alt_L Control_L Control_L space Return Escape F1 F2)
random_key() {
  local key=${keys[RANDOM % ${#keys[@]}]}
  [ "$key" = space ] && exit_chosen && key=Down
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown "$key"
  sleep "0.$(( RANDOM % 5 + 1 ))"
  xdotool keyup "$key"
  last_key=$key
}

sample() { probe stats; }

# False only when the game's window is there and its loop did not answer within 2 s.
alive() {
  probe alive 2000 >/dev/null
  [ $? -ne 1 ]
}

press() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown "$1"
  sleep 0.15
  xdotool keyup "$1"
}

# The figures are taken on the title.
title_sample() {
  press Escape
  sleep 2
  sample
}

# A first race and back before the first figures, so that what every race loads once (the
# driver's and Wine's caches) is counted in them: from the title's first item, through car
# select into the race, Esc back to the title.
warm_up() {
  local key
  sleep 3  # the title's opening
  for key in space space; do
    press "$key"
    sleep 2
  done
  sleep 2
  first=$(title_sample)
  echo "start: $first"
  # Esc made a new visit to the title: its opening (3.6 s) shows the menu at its end, with the
  # cursor on the first item; Up takes it round to EXIT.
  sleep 3
  press Up
  sleep 0.5
  exit_row "$work/exit_chosen.png"
  press Down
}

value() { sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<<"$2"; }

# Compares a title sample with the first of the same run of the game; fails beyond noise.
worst_kb=0
judge() {
  local sample=$1 growth_kb growth_handles
  growth_kb=$(( $(value committed_kb "$sample") - $(value committed_kb "$first") ))
  growth_handles=$(( $(value handles "$sample") - $(value handles "$first") ))
  [ "$growth_kb" -gt "$worst_kb" ] && worst_kb=$growth_kb
  [ "$growth_kb" -le "$max_growth_kb" ] || fail "committed memory grew by $growth_kb kB"
  [ "$growth_handles" -le "$max_handle_growth" ] || fail "handle count grew by $growth_handles"
}

runs=0
started=$(date +%s)
start_game
warm_up
deadline=$(( $(date +%s) + seconds ))
last_sample=$(date +%s)
# Should the title's exit be chosen after all (a key the check above missed), the game is
# started again; each run is judged on the title every minute, not only at the end.
last_title=$(date +%s)
while [ "$(date +%s)" -lt "$deadline" ]; do
  random_key
  if ! kill -0 "$game_pid" 2>/dev/null; then
    wait "$game_pid"
    # The title's last menu item ends the game in order: a complete save file is left.
    [ "$(stat -c %s "$work/vorta.sav" 2>/dev/null)" = 1098 ] ||
      fail "the game ended without its save file (last key $last_key)"
    runs=$((runs + 1))
    echo "the game left in order after $last_key; started again"
    start_game
    warm_up
    last_title=$(date +%s)
  fi
  if [ $(( $(date +%s) - last_title )) -ge 60 ] && [ $(( deadline - $(date +%s) )) -ge 60 ]; then
    last_title=$(date +%s)
    sample=$(title_sample)
    echo "after $(( last_title - started )) s: $sample"
    judge "$sample"
  fi
  if [ $(( $(date +%s) - last_sample )) -ge 8 ]; then
    last_sample=$(date +%s)
    box=$(probe msgbox 50) && fail "message box: $box"
    # A frame loop that answers nothing for 2 s, twice running: a display rebuild or a scene's
    # loading can stall one look on a busy machine, never two. No window at all (the game
    # closing after the title's exit, or still starting) is no hang.
    if kill -0 "$game_pid" 2>/dev/null && ! alive; then
      kill -0 "$game_pid" 2>/dev/null && ! alive && fail "no frame for 2 s, twice (hang)"
    fi
  fi
done

last=$(title_sample)
echo "end:   $last"
xdotool windowfocus "$game_window" 2>/dev/null
xdotool keydown alt key F4 keyup alt
for i in $(seq 1 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after Alt+F4"
game_pid=""

growth_kb=$(( $(value committed_kb "$last") - $(value committed_kb "$first") ))
growth_handles=$(( $(value handles "$last") - $(value handles "$first") ))
host_kb=$(( $(value private_kb "$last") - $(value private_kb "$first") - growth_kb ))
echo "growth over the last run: ${growth_kb} kB committed, ${growth_handles} handles" \
  "(and ${host_kb} kB in the host's graphics driver); orderly exits on the way: $runs"
judge "$last"
echo "largest growth within one run: ${worst_kb} kB committed"
echo "soak passed"
