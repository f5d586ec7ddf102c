#!/usr/bin/env bash
# A whole game as a player meets it: the title, 400 m, the first car, a race driven with
# clutch, lever and throttle to the finish banner, the name typed for the record, a new race
# with the same car, Esc, the title's exit. The save file then holds the run with the name;
# started again, the record screen shows it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/race_driver.sh"

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys space          # 400 m
sleep 1.5
e2e_picture "$e2e_work/car_select.png"
e2e_keys space          # the first selectable car
race_drive "$race_clock_digital"
e2e_picture "$e2e_work/finish.png"
e2e_keys space          # placed: the name entry
sleep 1.5
e2e_picture "$e2e_work/result.png"
e2e_keys r a c e r Return
sleep 1
e2e_keys Return         # a second naming when the run placed in both tables; else nothing
sleep 2
e2e_probe alive 2000 >/dev/null || fail "the game stopped after the name entry"
e2e_picture "$e2e_work/new_race.png"
e2e_keys Escape
sleep 1
e2e_keys Up space       # the title's exit
e2e_wait_exit 15

tables=$(e2e_save_tables "$e2e_work/vorta.sav")
echo "$tables"
entry=$(awk -F'\t' '$1 == 0 && $2 == 0 && $5 == "racerAAA"' <<<"$tables")
[ -n "$entry" ] || fail "no 400 m time entry named racerAAA"
IFS=$'\t' read -r _ _ place value _ car fps_signal fps_finish _ <<<"$entry"
[ "$car" = "ARATA Kazami･MR" ] || fail "the entry's car is '$car'"
[ "$fps_signal" -gt 0 ] && [ "$fps_finish" -gt 0 ] || fail "frame rates $fps_signal/$fps_finish"
# The place its time earns among the others of the table.
faster=$(awk -F'\t' -v v="$value" '$1 == 0 && $2 == 0 && $4 + 0 < v + 0' <<<"$tables" | wc -l)
[ "$faster" -eq "$place" ] || fail "time $value at place $place behind $faster faster entries"
grep -q $'^player\tracerAAA$' <<<"$tables" || fail "player name not kept"

# Started again, the record viewer opens on the 400 m time table with the run in it.
e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys Down Down space
sleep 1.5
e2e_picture "$e2e_work/records.png"
orange="$(dirname "$0")/../../resources/bitmaps/FONT_DFPOP_32_ORANGE.bmp"
differ=$(e2e_text_differs "$orange" racerAAA $((130 + 30 * place + 220)) $((112 + 70 * place)) \
  "$e2e_work/records.png")
[ "$differ" -le 16 ] || fail "the record screen's line $place differs from racerAAA in $differ pixels"
e2e_keys space
sleep 1
e2e_keys Up space
e2e_wait_exit 15
