#!/usr/bin/env bash
# Takes the README's screenshots from the running game under Wine (not mock-ups): the title,
# the car select screen, the race in the digital and the dial style, the time slip after the
# finish, the record screen, and the ghost of the first race ahead in a second one.
# Writes docs/screenshots/*.png.
# Usage: tools/screenshots.sh   (VORTA_WIN64_DIR=<a built Windows build> skips the build)
set -u
source "$(dirname "$0")/win64-build.sh"
export VORTA_EXE=$VORTA_WIN64_DIR/vorta.exe
export VORTA_E2E_WORK=$(mktemp -d)
out=$root/docs/screenshots
mkdir -p "$out"
# The end-to-end helpers drive the game as the tests do.
source "$root/tests/e2e/lib.sh"
source "$root/tests/e2e/race_driver.sh"
trap 'e2e_cleanup; rm -rf "$VORTA_E2E_WORK"' EXIT

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_picture "$out/title.png"
e2e_keys space
sleep 3  # the graph draws itself in about half a second
e2e_picture "$out/car_select.png"
e2e_keys space
sleep 1.5
race_locate
race_into_first
e2e_key_down Alt_L
race_wait_for_go "$race_clock_digital"
e2e_key_up Control_L
sleep 2.4
race_shift Down Down
sleep 1
e2e_picture "$out/race_digital.png"
e2e_key_up Alt_L  # with Alt held, F1 would come as a system key
e2e_press F1
sleep 0.5
e2e_picture "$out/race_dial.png"
e2e_keys F1 F3  # back to digital, with the time slip
e2e_key_down Alt_L
race_shift Up Right Up
race_wait_for_finish 40
e2e_key_up Alt_L
e2e_picture "$out/time_slip.png"
e2e_press F4  # the ghost, from the next race on
e2e_keys Escape
sleep 1
e2e_keys Down Down space
sleep 1.5
e2e_picture "$out/records.png"
e2e_keys space
sleep 1
# The same car again, driven as the first run, its ghost, but off the line most of a second later.
e2e_keys space
sleep 3
e2e_keys space
sleep 1.5
race_into_first
e2e_key_down Alt_L
race_wait_for_go "$race_clock_digital"
sleep 0.65
e2e_key_up Control_L
sleep 2.4
race_shift Down Down
sleep 1
e2e_picture "$out/ghost.png"
e2e_key_up Alt_L
e2e_keys Escape
sleep 1
e2e_keys Up space
e2e_wait_exit 15
ls "$out"
