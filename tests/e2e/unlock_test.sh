#!/usr/bin/env bash
# A save file whose four tables are all led by raced entries, with the unlock bits a race sets
# then, opens the car select screen on the first hidden car, and the second one can be raced.
source "$(dirname "$0")/lib.sh"

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_make_save_file "$e2e_work/locked.sav"
{
  printf '0\t0\t0\t12.5\tFAST\tKOGANE F-11 Formula\t60\t60\n'
  printf '0\t1\t0\t180\tFAST\tKOGANE F-11 Formula\t60\t60\n'
  printf '1\t0\t0\t23.0\tFAST\tKOGANE F-11 Formula\t60\t60\n'
  printf '1\t1\t0\t230\tFAST\tKOGANE F-11 Formula\t60\t60\n'
  printf 'flags\t3\n'
} | python3 "$(dirname "$0")/save_reader.py" --write "$e2e_work/vorta.sav" "$e2e_work/locked.sav"
e2e_save_tables "$e2e_work/vorta.sav" | grep -q $'^flags\t3$' || fail "the unlocked save file is not sound"

e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys space
sleep 1.5
e2e_keys Right space           # the second hidden car, into the race
sleep 2
e2e_picture "$e2e_work/race.png"
cream="$(dirname "$0")/../../resources/bitmaps/FONT_DFPOP_32_CREAM.bmp"
name="KOGANE F-11 Formula"
differ=$(e2e_text_differs "$cream" "$name" $((320 - 8 * ${#name})) 440 "$e2e_work/race.png")
[ "$differ" -le 24 ] || fail "the race is not run with $name ($differ pixels differ)"
e2e_keys Escape
sleep 1
e2e_exit_from_title
