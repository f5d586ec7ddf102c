#!/usr/bin/env bash
# A whole game as a player meets it: the title, 400 m, the first car, a race driven with
# clutch, lever and throttle to the finish banner, the time slip shown, hidden and shown again
# with F3, the name typed with Backspace and Delete, a new race with the same car, Esc, the
# title's exit. The save file then holds the run with the name, the run log the same run and
# vorta.ini the slip left on; started again, the record screen shows the run.
#
# The game starts without settings but with a save file whose 400 m tables a finished run
# beats: a driver made of key presses through Wine launches late and shifts slowly, and the
# default records are set for a player.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/race_driver.sh"

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_make_save_file "$e2e_work/vorta.sav"
e2e_slow_tables 0 "$e2e_work/vorta.sav"
e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys space          # 400 m
sleep 1.5
e2e_picture "$e2e_work/car_select.png"
e2e_keys space          # the first selectable car
race_drive "$race_clock_digital"
e2e_picture "$e2e_work/finish.png"
[ "$(race_slip_differs "$e2e_work/finish.png" 144)" -gt 200 ] || fail "a time slip before F3"
for shown in on off on; do
  e2e_press F3
  sleep 0.5
  e2e_picture "$e2e_work/slip.png"
  differ=$(race_slip_differs "$e2e_work/slip.png" 144)
  [ "$shown" = "$( ((differ <= 30)) && echo on || echo off)" ] || fail "F3: no slip $shown ($differ)"
done
race_open_result        # placed: the name entry
e2e_picture "$e2e_work/result.png"
e2e_keys r a c e x BackSpace r Delete Return
sleep 1
e2e_keys Return         # the second naming, in the top-speed table
sleep 2
e2e_probe alive 2000 >/dev/null || fail "the game stopped after the name entry"
e2e_picture "$e2e_work/new_race.png"
e2e_keys Escape
sleep 1
e2e_keys Up space       # the title's exit
e2e_wait_exit 15

tables=$(e2e_save_tables "$e2e_work/vorta.sav")
echo "$tables"
# The run leads both 400 m tables, named, with its car and frame rates.
runs=$(awk -F'\t' '$1 == 0 && NF == 9 && $8 > 0' <<<"$tables")
[ "$(wc -l <<<"$runs")" -eq 2 ] || fail "the run is not in both 400 m tables: $runs"
while IFS=$'\t' read -r _ table place _ player car fps_signal _ _; do
  [ "$place:$player:$car" = "0:racer   :ARATA Kazami･MR" ] ||
    fail "table $table: place $place, '$player', '$car'"
  [ "$fps_signal" -gt 0 ] || fail "no frame rate at the signal"
done <<<"$runs"
grep -q $'^player\tracer   $' <<<"$tables" || fail "player name not kept"
grep -qx "SLIP=1" <(tr -d '\r' <"$e2e_work/vorta.ini") || fail "the slip left on is not in vorta.ini"

# The run log holds the same run, the marks the 400 m course lacks left empty; its time, top
# speed and frame rate are the table's.
t='[0-9]+\.[0-9]{3}' v='[0-9]+\.[0-9]'
race_logged_run "ARATA Kazami･MR,400,($t,){4}$v,$t,$v,,,,,$v,[0-9]+"
IFS=, read -r _ _ _ _ _ _ _ _ t400 _ _ _ _ _ top fps <<<"$race_run"
IFS=$'\t' read -r _ _ _ table_time _ _ _ table_fps _ <<<"$(awk -F'\t' '$1 == 0 && $2 == 0 && $5 == "racer   "' <<<"$tables")"
IFS=$'\t' read -r _ _ _ table_top _ <<<"$(awk -F'\t' '$1 == 0 && $2 == 1 && $5 == "racer   "' <<<"$tables")"
[ "$t400:$fps:$top" = "$table_time:$table_fps:$(printf '%.1f' "$table_top")" ] ||
  fail "logged $t400 s, $fps fps, $top km/h; the tables $table_time s, $table_fps fps, $table_top km/h"

# Started again, the record viewer opens on the 400 m time table with the run on top.
e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys Down Down space
sleep 1.5
e2e_picture "$e2e_work/records.png"
orange="$(dirname "$0")/../../resources/bitmaps/FONT_DFPOP_32_ORANGE.bmp"
differ=$(e2e_text_differs "$orange" racer $((130 + 220)) 112 "$e2e_work/records.png")
[ "$differ" -le 16 ] || fail "the first record line differs from racer in $differ pixels"
e2e_keys space
sleep 1
e2e_keys Up space
e2e_wait_exit 15
