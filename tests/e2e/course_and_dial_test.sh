#!/usr/bin/env bash
# The analog speedometer chosen on the option screen and the 1000 m course chosen on the
# title are what the race then shows and records: the race is driven reading the dial style's
# texts, and the run goes into the 1000 m tables, not the 400 m ones.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/race_driver.sh"
tab=$'\t'

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
# A save file of the real game whose 1000 m tables any finished run beats.
e2e_make_save_file "$e2e_work/vorta.sav"
e2e_slow_tables 1 "$e2e_work/vorta.sav"
before=$(e2e_save_tables "$e2e_work/vorta.sav")

e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys Down Down Down space   # options
sleep 1.5
e2e_keys Down Right Down space  # speedometer: analog; OK
sleep 1.5
e2e_keys Down space             # 1000 m
sleep 1.5
e2e_keys space                  # the first selectable car
sleep 2.5
race_drive "$race_clock_dial" fourth
e2e_picture "$e2e_work/finish.png"
e2e_keys Escape
sleep 1
e2e_keys Up space
e2e_wait_exit 15

after=$(e2e_save_tables "$e2e_work/vorta.sav")
grep -q "^SPEEDMETER=1" <(tr -d '\r' <"$e2e_work/vorta.ini") || fail "the dial is not kept in vorta.ini"
[ "$(grep "^0$tab" <<<"$after")" = "$(grep "^0$tab" <<<"$before")" ] || fail "the 400 m tables changed"
awk -F'\t' '$1 == 1 && $2 == 0 && $8 > 0' <<<"$after" | grep -q . ||
  fail "no run in the 1000 m time table: $after"
