#!/usr/bin/env bash
# Another program's window comes on top of the game and goes away again, on the title, the
# car select screen and in the race, in a window and in full screen (where the game loses its
# surfaces and its window is minimised): the game keeps running, its picture is whole again
# within a second, the keys work again, and the records come out at exit as they went in.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/race_driver.sh"

# The digital clock's digits, the default speedometer style's.
clock="24 89 192 48"

# Covers the game for 1.5 s, then compares its picture a second later with the one before.
# The race's clock and needle and the frame-rate read-out move on in between (2,500 pixels at
# most); a picture not brought back differs nearly everywhere.
cover() {
  local where="$1 ($mode)" d
  e2e_picture "$e2e_work/before.png"
  e2e_probe cover 1500 || fail "$where: the covering window did not open"
  sleep 0.8
  e2e_probe alive 2000 >/dev/null || fail "$where: the game stopped answering"
  e2e_picture "$e2e_work/after.png"
  d=$(race_differs "$e2e_work/before.png" "$e2e_work/after.png")
  [ "$d" -lt 4000 ] || {
    cp "$e2e_work/after.png" "$e2e_work/after_${mode}_${1// /_}.png"
    fail "$where: the picture is not whole again ($d pixels differ)"
  }
}

# Space after a cover leaves the screen: the picture changes almost everywhere.
space_leaves() {
  e2e_picture "$e2e_work/before.png"
  e2e_keys space
  sleep 1.5
  e2e_picture "$e2e_work/after.png"
  [ "$(race_differs "$e2e_work/before.png" "$e2e_work/after.png")" -gt 60000 ] ||
    fail "$1 ($mode): Space did nothing after the cover"
}

# Whether the clock's digits change within 0.3 s.
clock_runs() {
  race_grab "$clock" "$e2e_work/clock_a.png"
  sleep 0.3
  race_grab "$clock" "$e2e_work/clock_b.png"
  [ "$(race_differs "$e2e_work/clock_a.png" "$e2e_work/clock_b.png")" -gt 40 ]
}

play() {
  mode=$1
  cp "$e2e_work/first.sav" "$e2e_work/vorta.sav"
  printf '[VORTA]\r\nWINDOW=%d\r\n' "$([ "$mode" = window ] && echo 1 || echo 0)" >"$e2e_work/vorta.ini"
  e2e_start
  e2e_wait_window
  e2e_wait_title_menu
  cover title
  space_leaves title
  cover "car select"
  space_leaves "car select"
  race_locate
  race_wait_for_go "$clock"
  cover race
  # Space restarts the race: its clock stands at zero until the next go lamp.
  clock_runs || fail "race ($mode): the clock stopped during the cover"
  e2e_keys space
  sleep 0.5
  ! clock_runs || fail "race ($mode): Space did not restart the race after the cover"
  e2e_keys Escape
  e2e_wait_title_menu
  e2e_exit_from_title
  cmp -s "$e2e_work/vorta.sav" "$e2e_work/first.sav" || fail "$mode: the records changed"
}

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_make_save_file "$e2e_work/first.sav"
play window

vorta_wine_stop
vorta_xvfb_stop
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
play full
