#!/usr/bin/env bash
# A whole game as a player meets it: the analog speedometer chosen on the option screen, the
# 1000 m course on the title, the first car, a race driven with clutch, lever and throttle to
# the finish banner reading the dial style's texts, the time slip shown, hidden and shown again
# with F3, the name typed with Backspace and Delete, a new race with the same car, Esc, the
# title's exit. The save file then holds the run with the name in the 1000 m tables and nothing
# new in the 400 m ones, vorta.ini keeps the dial and the slip left on, and the run log holds
# the run with every mark of the long course. (The records read back from the file: the
# Windows save file test; shown: the golden pictures.)
#
# The game starts with a save file whose 1000 m tables a finished run beats: a driver made of
# key presses through Wine launches late and shifts slowly, and the default records are set
# for a player.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/race_driver.sh"
tab=$'\t'

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
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
race_drive "$race_clock_dial" fourth
# The long course's slip: off at first, then on, off and on again with F3.
e2e_picture "$e2e_work/finish.png"
[ "$(race_slip_differs "$e2e_work/finish.png" 0)" -gt 200 ] || fail "a time slip before F3"
for shown in on off on; do
  e2e_press F3
  sleep 0.5
  e2e_picture "$e2e_work/slip.png"
  differ=$(race_slip_differs "$e2e_work/slip.png" 0)
  [ "$shown" = "$( ((differ <= 30)) && echo on || echo off)" ] || fail "F3: no slip $shown ($differ)"
done
race_open_result        # placed: the name entry
e2e_keys r a c e x BackSpace r Delete Return
sleep 1
e2e_keys Return         # the second naming, in the top-speed table
sleep 2
e2e_probe alive 2000 >/dev/null || fail "the game stopped after the name entry"
e2e_keys Escape
sleep 1
e2e_exit_from_title

tables=$(e2e_save_tables "$e2e_work/vorta.sav")
echo "$tables"
e2e_ini_has SPEEDMETER=1 SLIP=1  # the dial, the slip left on
[ "$(grep "^0$tab" <<<"$tables")" = "$(grep "^0$tab" <<<"$before")" ] || fail "the 400 m tables changed"
# The run leads both 1000 m tables, named, with its car and frame rates.
runs=$(awk -F'\t' '$1 == 1 && NF == 9 && $8 > 0' <<<"$tables")
[ "$(wc -l <<<"$runs")" -eq 2 ] || fail "the run is not in both 1000 m tables: $runs"
while IFS=$'\t' read -r _ table place _ player car fps_signal _ _; do
  [ "$place:$player:$car" = "0:racer   :ARATA Kazami･MR" ] ||
    fail "table $table: place $place, '$player', '$car'"
  [ "$fps_signal" -gt 0 ] || fail "no frame rate at the signal"
done <<<"$runs"
grep -q $'^player\tracer   $' <<<"$tables" || fail "player name not kept"

# The run log holds the same run with every mark; its time, top speed and frame rate are the
# tables'.
t='[0-9]+\.[0-9]{3}' v='[0-9]+\.[0-9]'
race_logged_run "ARATA Kazami･MR,1000,($t,){4}$v,$t,$v,$t,$t,$t,$v,$v,[0-9]+"
IFS=, read -r _ _ _ _ _ _ _ _ _ _ _ _ t1000 _ top fps <<<"$race_run"
IFS=$'\t' read -r _ _ _ table_time _ _ _ table_fps _ <<<"$(awk -F'\t' '$1 == 1 && $2 == 0 && $3 == 0' <<<"$tables")"
IFS=$'\t' read -r _ _ _ table_top _ <<<"$(awk -F'\t' '$1 == 1 && $2 == 1 && $3 == 0' <<<"$tables")"
[ "$t1000:$fps:$top" = "$table_time:$table_fps:$(printf '%.1f' "$table_top")" ] ||
  fail "logged $t1000 s, $fps fps, $top km/h; the tables $table_time s, $table_fps fps, $table_top km/h"
