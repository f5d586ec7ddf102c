#!/usr/bin/env bash
# A run driven through the menus is written as a replay that, raced again by vorta-replay,
# gives the very line the run log holds, to the millisecond; the run is also the car's best.
# F4 with the throttle held turns the ghost on, the next race shows the run's car waiting at
# the line in the next lane, and vorta.ini keeps the ghost on.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/race_driver.sh"
: "${VORTA_REPLAY:?VORTA_REPLAY must name vorta-replay}"

# Where the ghost's car shows at the line, left of the road ahead: "x y w h".
ghost_at_line="10 280 150 50"

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\nSPEEDMETER=1\r\n' >"$e2e_work/vorta.ini"
# 400 m tables no run enters, so that Space after the finish starts a new race.
e2e_make_save_file "$e2e_work/vorta.sav"
for place in 0 1 2 3 4; do
  printf '0\t0\t%d\t%d\tFAST\tnobody\t60\t60\n' "$place" $((1 + place))
  printf '0\t1\t%d\t%d\tFAST\tnobody\t60\t60\n' "$place" $((900 - place))
done | python3 "$(dirname "$0")/save_reader.py" --write "$e2e_work/vorta.sav" "$e2e_work/vorta.sav"
e2e_start /d  # the debug log tells why a replay was refused
e2e_wait_window
e2e_wait_title_menu
e2e_keys space  # 400 m
sleep 3         # the car select screen loads and draws its graph
e2e_keys space  # the first selectable car, the fourth of the table
sleep 1.5
race_locate
race_grab "$ghost_at_line" "$e2e_work/line_alone.png"
race_drive "$race_clock_dial"
sleep 0.5
e2e_press_with_alt F4
e2e_press space  # a new race, with the ghost
sleep 2.5
race_grab "$ghost_at_line" "$e2e_work/line_ghost.png"
e2e_keys Escape
sleep 1
e2e_exit_from_title

e2e_ini_has GHOST=1
differ=$(race_differs "$e2e_work/line_alone.png" "$e2e_work/line_ghost.png")
[ "$differ" -gt 2000 ] || fail "no ghost beside the line ($differ pixels differ)"

last=$e2e_work/replays/last_400m.vrp
best=$e2e_work/replays/best_03_400m.vrp
[ -s "$last" ] && cmp -s "$last" "$best" || fail "the run is not both the last and the best: $(ls -l "$e2e_work/replays")"
replayed=$("$VORTA_REPLAY" "$last") || fail "vorta-replay refused the game's file or missed its time"
logged=$(tr -d '\r' <"$e2e_work/vorta_runs.csv")
[ "$replayed" = "$logged" ] || fail "raced again: $replayed; the run log: $logged"
echo "$replayed"
