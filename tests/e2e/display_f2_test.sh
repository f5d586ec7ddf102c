#!/usr/bin/env bash
# Full screen that the desktop cannot show falls back to a window, at the start and on F2 in the
# title and in a race, and the mode shown is stored; where the desktop can, the stored full
# screen is kept and F2 goes to a window and back; F1 works with the throttle held.
source "$(dirname "$0")/lib.sh"

f2() {
  e2e_press F2
  sleep 2
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended after F2 (${1:-})"
}

# The display mode the game names for tools outside it (1 a window, 2 full screen) is $1.
mode_named() {
  local named
  named=$(e2e_probe stats | sed -n 's/.*display_mode=\([0-9]\).*/\1/p')
  [ "$named" = "$1" ] || fail "$2: the game names display mode '$named'"
}

# Waits up to 10 s for the picture to be more than one flat colour: something was drawn.
picture_drawn() {
  local i
  for i in $(seq 1 20); do
    e2e_picture "$e2e_work/$1.png"
    [ "$(convert "$e2e_work/$1.png" -unique-colors -format '%w' info:)" -gt 16 ] && return 0
    sleep 0.5
  done
  return 1
}

# Waits up to 20 s for the log to tell of $1 refusals of full screen (a refused mode change
# takes seconds on a busy machine).
wait_fallbacks() {
  local i
  for i in $(seq 1 40); do
    [ "$(e2e_log 2>/dev/null | grep -c "フルスクリーンにできないため")" -ge "$1" ] && return 0
    sleep 0.5
  done
  fail "full screen was refused fewer than $1 times: $(e2e_log)"
}

# 1. A desktop that cannot change its mode (1024x768): the stored full-screen setting, and F2
# in the title and in a race, each open or keep a window, and the mode really shown is stored.
# F1 under throttle (a system key then) still switches the speedometer.
e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=0\r\n' >"$e2e_work/vorta.ini"
e2e_start /d
e2e_wait_window
e2e_wait_client >/dev/null
e2e_log | grep -q "初期化失敗" && fail "the display was not made: $(e2e_log)"
e2e_wait_title_menu
f2 "in the title"
wait_fallbacks 2
picture_drawn title || fail "no title after F2 in a window"
mode_named 1 "full screen refused on F2"
e2e_keys space space   # the 400 m course, the first car
sleep 2
f2 "in the race"
wait_fallbacks 3
e2e_wait_client >/dev/null
picture_drawn race || fail "no race after F2 in a window"
e2e_press_with_alt F1
e2e_press Escape  # in the race Alt+F4 is the ghost's key; on the title it closes the window
sleep 1
e2e_alt_f4
e2e_wait_exit 5
[ "$(e2e_log | grep -c "フルスクリーンにできないため")" -eq 3 ] ||
  fail "the start and two F2 fall back to a window: $(e2e_log)"
# The window it ran in is stored; F1 with the throttle held switched the speedometer.
e2e_ini_has WINDOW=1 SPEEDMETER=1
vorta_xvfb_stop

# 2. A desktop that can show the 640x480x16 mode: the stored full screen is kept, and F2 goes
# to a window and back. (A window there is clipped by the screen's edge: Wine keeps it inside.)
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
rm -f "$e2e_work/vorta.log"
printf '[VORTA]\r\nWINDOW=0\r\n' >"$e2e_work/vorta.ini"
e2e_start /d
e2e_wait_window
wait_geometry() {
  local i
  for i in $(seq 1 50); do
    [ "$(e2e_window_geometry)" "$1" "640x480+0+0" ] && return 0
    sleep 0.2
  done
  fail "$2: the window is $(e2e_window_geometry)"
}
wait_geometry = "no full screen at the start"
mode_named 2 "full screen at the start"
picture_drawn full || fail "nothing drawn in full screen"
# The frame rate in the top-right corner: more than one flat colour.
[ "$(convert "$e2e_work/full.png" -crop 48x16+592+0 +repage -unique-colors -format '%w' info:)" -gt 2 ] ||
  fail "the full-screen corner is blank"
f2 "to a window"
wait_geometry != "still full screen after F2"
mode_named 1 "a window after F2"
f2 "back to full screen"
wait_geometry = "no full screen after F2 twice"
e2e_alt_f4
e2e_wait_exit 5
[ "$(e2e_log | grep -c "Device が見つかりました")" -eq 3 ] ||
  fail "three displays expected (start and two switches): $(e2e_log)"
e2e_log | grep -q "フルスクリーンにできないため" && fail "full screen was refused on a 640x480x16 desktop"
e2e_ini_has WINDOW=0  # two switches
