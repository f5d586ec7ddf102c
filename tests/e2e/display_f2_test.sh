#!/usr/bin/env bash
# The picture in a window has a 640x480 client area; F2 goes to full screen, with the frame
# rate in the top right corner, and back to a window, without ending the game; the display is
# made three times and WINDOW=1 is kept. (The read-out's cells are guarded by the golden
# pictures, a first start in full screen by options_apply_test and shell_exit_test.)
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

# 1. In a window on a 24-bit desktop: the display is made around a 640x480 client area.
e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_start /d
e2e_wait_window
e2e_wait_client >/dev/null
e2e_alt_f4
e2e_wait_exit 5
e2e_log | grep -q "初期化失敗" && fail "the display was not made: $(e2e_log)"
vorta_xvfb_stop

# 2. F2 both ways, on a desktop that can show the 640x480x16 mode.
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
rm -f "$e2e_work/vorta.log"
e2e_start /d
e2e_wait_window
e2e_wait_client >/dev/null
f2 "to full screen"
[ "$(window_geometry)" = "640x480+0+0" ] || fail "full screen window is $(window_geometry)"
e2e_picture "$e2e_work/full.png"
corner_has_text "$e2e_work/full.png" 592 0 || fail "the full-screen corner is blank"
f2 "back to a window"
[ -n "$(e2e_client_origin)" ] || fail "no 640x480 client area after F2 twice: $(xwininfo -children -id "$game_window")"
[ "$(window_geometry)" != "640x480+0+0" ] || fail "still full screen"
e2e_alt_f4
e2e_wait_exit 5
[ "$(e2e_log | grep -c "Device が見つかりました")" -eq 3 ] ||
  fail "three displays expected (start and two switches): $(e2e_log)"
grep -q "^WINDOW=1" <(tr -d '\r' <"$e2e_work/vorta.ini") || fail "two switches keep WINDOW=1"
