#!/usr/bin/env bash
# From the title the records are viewed (course and table switched, then left with Space) and
# the options changed: analog speedometer and the other screen mode, applied with OK. Both
# reach vorta.ini at the exit through the title.
source "$(dirname "$0")/lib.sh"
record_bmp="$(dirname "$0")/../../resources/bitmaps/RECORD.bmp"

# The picture shows, at x = 272, the RECORD sheet's course label $2 (0: 400 m, 1: 1000 m) and
# its table label $3 (0: time, 1: top speed). Black is the sheet's key and the screen is black
# behind it.
labels_shown() {
  local expected="$e2e_work/expected.png" seen="$e2e_work/seen.png"
  sleep 0.6
  e2e_picture "$e2e_work/$1.png"
  convert "$record_bmp" \( -clone 0 -crop "96x32+$((96 * $2))+80" +repage \) \
    \( -clone 0 -crop "96x32+$((240 + 96 * $3))+0" +repage \) -delete 0 -append -type TrueColor "$expected"
  convert "$e2e_work/$1.png" -crop 96x64+272+48 +repage -type TrueColor "$seen"
  [ "$(compare -metric AE -fuzz 2% "$expected" "$seen" null: 2>&1 | cut -d' ' -f1)" = 0 ]
}

# The whole 640x480 screen is the full-screen picture; a window is anything else.
in_window() {
  xwininfo -id "$game_window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {exit !(w "x" h "+" x "+" y != "640x480+0+0")}'
}

# 1. The viewer, in a window on a 24-bit desktop for exact colours.
e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys Down Down space
labels_shown records_400_time 0 0 || fail "400 m time table not shown"
e2e_keys Right Down Right
labels_shown records_1000_speed 1 1 || fail "1000 m top-speed table not shown"
e2e_keys space
e2e_alt_f4
e2e_wait_exit 5

# 2. The options applied, on a desktop that can show the 640x480x16 full screen; the first
# start has no settings and so comes up in full screen. (A window cannot have its whole
# 640x480 client area on this small screen.)
vorta_xvfb_stop
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
rm -f "$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
e2e_wait_title_menu
in_window && fail "the first start is not in full screen"
e2e_keys Down Down Down space
sleep 1
# Screen: Full -> Window; Speedmeter: Digital -> Analog; no joystick: straight to OK.
e2e_keys Right Down Right Down space
sleep 3
kill -0 "$game_pid" 2>/dev/null || fail "the game ended when the options were applied"
in_window || fail "still full screen after OK"
e2e_keys Up space
e2e_wait_exit 10
ini=$(tr -d '\r' <"$e2e_work/vorta.ini")
for line in WINDOW=1 SPEEDMETER=1; do
  grep -qx "$line" <<<"$ini" || fail "missing $line in: $ini"
done
