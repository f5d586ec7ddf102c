#!/usr/bin/env bash
# The picture in a window has an exact 640x480 client area with the frame rate in its top right
# corner (its cells are guarded by the golden pictures); F2 goes to full screen and back
# without ending the game; a first start without settings comes up in full screen with the
# read-out in the corner.
source "$(dirname "$0")/lib.sh"

# "WxH+X+Y" of the game's top-level X window.
window_geometry() {
  xwininfo -id "$game_window" | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^  Width/ {w=$NF} /^  Height/ {h=$NF}
    END {print w "x" h "+" x "+" y}'
}

# The top-right 48x16 corner at ($2, $3) is not one flat colour.
corner_has_text() {
  local colours
  colours=$(convert "$1" -crop "48x16+$2+$3" +repage -unique-colors -format '%w' info:)
  [ "$colours" -gt 2 ]
}

f2() {
  e2e_press F2
  sleep 2
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended after F2 (${1:-})"
}

# 1. In a window on a 24-bit desktop: exact colours in the screenshot.
e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_start /d
e2e_wait_window
read -r cx cy <<<"$(e2e_wait_client)"
[ -n "${cy:-}" ] || fail "no 640x480 client area in the window"
sleep 1
e2e_screenshot "$e2e_work/window.png"
corner_has_text "$e2e_work/window.png" $((cx + 592)) "$cy" || fail "the top right corner is blank"
e2e_alt_f4
e2e_wait_exit 5
grep -q "初期化失敗" "$e2e_work/vorta.log" && fail "the display was not made: $(cat "$e2e_work/vorta.log")"
vorta_xvfb_stop

# 2. F2 both ways, on a desktop that can show the 640x480x16 mode.
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
rm -f "$e2e_work/vorta.log"
e2e_start /d
e2e_wait_window
e2e_wait_client >/dev/null
f2 "to full screen"
[ "$(window_geometry)" = "640x480+0+0" ] || fail "full screen window is $(window_geometry)"
e2e_screenshot "$e2e_work/full.png"
corner_has_text "$e2e_work/full.png" 592 0 || fail "the full-screen corner is blank"
f2 "back to a window"
[ -n "$(e2e_client_origin)" ] || fail "no 640x480 client area after F2 twice: $(xwininfo -children -id "$game_window")"
[ "$(window_geometry)" != "640x480+0+0" ] || fail "still full screen"
e2e_alt_f4
e2e_wait_exit 5
[ "$(grep -c "Device が見つかりました" "$e2e_work/vorta.log")" -eq 3 ] ||
  fail "three displays expected (start and two switches): $(cat "$e2e_work/vorta.log")"
grep -q "^WINDOW=1" <(tr -d '\r' <"$e2e_work/vorta.ini") || fail "two switches keep WINDOW=1"

# 3. A first start has no settings: full screen.
rm -f "$e2e_work/vorta.ini" "$e2e_work/vorta.log"
e2e_start /d
e2e_wait_window
sleep 3
kill -0 "$game_pid" 2>/dev/null || fail "the full-screen start ended: $(cat "$e2e_work/vorta.log")"
[ "$(window_geometry)" = "640x480+0+0" ] || fail "full screen window is $(window_geometry)"
e2e_screenshot "$e2e_work/start.png"
corner_has_text "$e2e_work/start.png" 592 0 || fail "the full-screen corner is blank"
e2e_alt_f4
e2e_wait_exit 5
grep -q "^WINDOW=0" <(tr -d '\r' <"$e2e_work/vorta.ini") || fail "full screen is kept"
