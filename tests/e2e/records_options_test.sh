#!/usr/bin/env bash
# From the title the records are viewed (course and table switched, then left with Space) and
# the options changed: analog speedometer and the other screen mode, applied with OK. Both
# reach vorta.ini at the exit through the title, and the next start comes up in that mode.
source "$(dirname "$0")/lib.sh"
record_bmp="$(dirname "$0")/../../resources/bitmaps/RECORD.bmp"

# "x y" of the game window's 640x480 client area on the screen, or nothing.
client_origin() {
  xwininfo -children -id "$game_window" 2>/dev/null |
    sed -n 's/.* 640x480+-\{0,1\}[0-9]*+-\{0,1\}[0-9]*  *+\(-\{0,1\}[0-9]*\)+\(-\{0,1\}[0-9]*\)$/\1 \2/p' |
    head -n1
}

# The whole 640x480 screen is the full-screen picture; a window is anything else.
in_window() {
  xwininfo -id "$game_window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {exit !(w "x" h "+" x "+" y != "640x480+0+0")}'
}

# How many pixels of the 96x32 label at picture point ($2, $3) differ from the RECORD sheet's
# piece at ($4, $5). Black is the sheet's key and the screen is black behind it.
label_differs() {
  local expected="$e2e_work/label_expected.png" seen="$e2e_work/label_seen.png"
  convert "$record_bmp" -crop "96x32+$4+$5" +repage -type TrueColor "$expected"
  convert "$1" -crop "96x32+$((cx + $2))+$((cy + $3))" +repage -type TrueColor "$seen"
  compare -metric AE -fuzz 2% "$expected" "$seen" null: 2>&1 | cut -d' ' -f1
}

shot() {
  sleep 0.6
  e2e_screenshot "$e2e_work/$1.png"
}

# Starts the game in debug mode and waits for its display and then for the title's opening
# (Space during the opening would only cut it short, not choose).
start_at_title() {
  local i
  rm -f "$e2e_work/vorta.log"
  e2e_start /d
  e2e_wait_window
  for i in $(seq 1 100); do
    grep -q "Device が見つかりました" "$e2e_work/vorta.log" 2>/dev/null && break
    sleep 0.2
  done
  sleep 5
}

# Item $1 of the title menu, from its first item.
title_choose() {
  local i
  for i in $(seq 1 "$1"); do
    e2e_press Down
    sleep 0.1
  done
  e2e_press space
  sleep 1
}

# 1. The viewer, in a window on a 24-bit desktop for exact colours.
e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
start_at_title
read -r cx cy <<<"$(client_origin)"
[ -n "${cy:-}" ] || fail "no 640x480 client area in the window"
title_choose 2
shot records_400_time
[ "$(label_differs "$e2e_work/records_400_time.png" 272 48 0 80)" = 0 ] || fail "400 m label not shown"
[ "$(label_differs "$e2e_work/records_400_time.png" 272 80 240 0)" = 0 ] || fail "time label not shown"
e2e_press Right
e2e_press Down
e2e_press Right
shot records_1000_speed
[ "$(label_differs "$e2e_work/records_1000_speed.png" 272 48 96 80)" = 0 ] || fail "1000 m label not shown"
[ "$(label_differs "$e2e_work/records_1000_speed.png" 272 80 336 0)" = 0 ] || fail "top-speed label not shown"
e2e_press space
sleep 1
title_choose 3
shot options
kill -0 "$game_pid" 2>/dev/null || fail "the game ended on the option screen"
e2e_alt_f4
e2e_wait_exit 5

# 2. The options applied, on a desktop that can show the 640x480x16 full screen; the first
# start has no settings and so comes up in full screen. (A window cannot have its whole
# 640x480 client area on this small screen.)
vorta_xvfb_stop
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
rm -f "$e2e_work/vorta.ini"
start_at_title
in_window && fail "the first start is not in full screen"
title_choose 3
e2e_press Right  # Screen: Full -> Window
e2e_press Down
e2e_press Right  # Speedmeter: Digital -> Analog
e2e_press Down   # no joystick: straight to OK
e2e_press space
sleep 3
kill -0 "$game_pid" 2>/dev/null || fail "the game ended when the options were applied"
in_window || fail "still full screen after OK"
title_choose 4
e2e_wait_exit 10
ini=$(tr -d '\r' <"$e2e_work/vorta.ini")
for line in WINDOW=1 SPEEDMETER=1; do
  grep -qx "$line" <<<"$ini" || fail "missing $line in: $ini"
done

# 3. The next start reads them back: a window again.
e2e_start
e2e_wait_window
sleep 3
in_window || fail "the next start is not in a window"
e2e_alt_f4
e2e_wait_exit 5
