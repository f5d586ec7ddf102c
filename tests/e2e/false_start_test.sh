#!/usr/bin/env bash
# Moving before the go lamp: the signal shows the false start, the car is stopped, and a
# second later the race starts again from the line; nothing is recorded.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/race_driver.sh"

# "x y w h" of the signal gantry's lamps and of the speed panel (the car moves less than a
# metre before the false start stops it, so the distance panel stays at 0).
signal_region="190 0 260 64"
speed_region="19 138 272 80"

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys space space
sleep 1.5
e2e_picture "$e2e_work/waiting.png"
race_into_first
e2e_key_down Alt_L
e2e_key_up Control_L   # long before the go lamp
sleep 0.4
e2e_picture "$e2e_work/false_start.png"
e2e_key_up Alt_L
sleep 2
e2e_picture "$e2e_work/restarted.png"

crop() {
  local x y w h
  read -r x y w h <<<"$2"
  convert "$1" -crop "${w}x${h}+${x}+${y}" +repage "$3"
}
differs() {
  crop "$1" "$3" "$e2e_work/a.png"
  crop "$2" "$3" "$e2e_work/b.png"
  [ "$(compare -metric AE -fuzz 10% "$e2e_work/a.png" "$e2e_work/b.png" null: 2>&1 | cut -d' ' -f1)" -gt 20 ]
}
differs "$e2e_work/waiting.png" "$e2e_work/false_start.png" "$signal_region" ||
  fail "the signal did not change at the false start"
differs "$e2e_work/waiting.png" "$e2e_work/false_start.png" "$speed_region" ||
  fail "the car did not move before the false start"
differs "$e2e_work/waiting.png" "$e2e_work/restarted.png" "$speed_region" &&
  fail "the race did not start again from the line"

e2e_keys Escape
sleep 1
e2e_keys Up space
e2e_wait_exit 15
awk -F'\t' 'NF == 9 && $8 > 0' <(e2e_save_tables "$e2e_work/vorta.sav") | grep -q . &&
  fail "a false start was recorded"
exit 0
