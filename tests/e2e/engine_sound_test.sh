#!/usr/bin/env bash
# The engine heard through the real audio path: Wine's DirectSound plays into a private
# PulseAudio server, whose null sink's monitor is recorded while a race is driven. With the
# sound off (the default) the recording is silent; F5, pressed with the throttle held, turns
# it on; the note's pitch then follows the race trace's engine speed, rises through first gear
# and drops at the shift, with no gap while racing; vorta.ini keeps SOUND=1.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/race_driver.sh"
source "$(dirname "$0")/../../tools/pulse-env.sh"

# Records the sink as the game's own format: 16-bit mono at 44,100 Hz, into $1.
record_pid=""
record_start() {
  parec -d S.monitor --format=s16le --rate=44100 --channels=1 --raw --latency-msec=10 \
    >"$1" 2>/dev/null &
  record_pid=$!
}
record_stop() {
  [ -n "$record_pid" ] && kill "$record_pid" 2>/dev/null && wait "$record_pid" 2>/dev/null
  record_pid=""
}

e2e_setup 1024x768x24
trap 'record_stop; e2e_cleanup; vorta_pulse_stop' EXIT
# The server tools/test.sh started, or one of the test's own.
if [ -z "${VORTA_PULSE_SERVER:-}" ]; then
  vorta_pulse_start "$e2e_work/pulse" || fail "no sound server"
fi
export PULSE_SERVER=$VORTA_PULSE_SERVER

# The dial style, whose clock the driver watches for the go lamp.
printf '[VORTA]\r\nWINDOW=1\r\nSPEEDMETER=1\r\n' >"$e2e_work/vorta.ini"
trace="Z:${e2e_work//\//\\}\\race.txt"
# Wine keeps 10 ms in the server: with the race spinning one of two shared cores its mixer was
# measured starving (a hundred underruns a run, silences of 5 to 50 ms) whatever the game
# wrote. More buffering in the server takes the machine's load out of the measurement.
(cd "$e2e_work" && PULSE_LATENCY_MSEC=100 VORTA_RACE_TRACE=$trace exec wine "$e2e_work/vorta.exe" >"$e2e_work/wine.out" 2>&1) &
game_pid=$!
e2e_wait_window
e2e_wait_title_menu
e2e_keys space                 # 400 m
sleep 1.5
e2e_keys space                 # the first selectable car: into the race
sleep 1
record_start "$e2e_work/quiet.raw"
sleep 1
record_stop
e2e_press_with_alt F5
record_start "$e2e_work/race.raw"
# At the line in first gear with the clutch held and the throttle open: the engine revs to
# the limiter. At the go lamp the clutch comes up; the car pulls away in first gear, and after a
# while the lever goes into second.
race_locate
race_into_first
e2e_key_down Alt_L
race_wait_for_go "$race_clock_dial"
e2e_key_up Control_L
sleep 4.5
race_shift Down Down
sleep 2
e2e_key_up Alt_L
# The recording runs on to the exit, past the race trace's end. (Alt+F4 in the race is the
# ghost's key: the title's is the window's.)
e2e_keys Escape
sleep 1
e2e_alt_f4
e2e_wait_exit 15
record_stop

e2e_ini_has SOUND=1
# Debian's own Python, which has NumPy (tools/install-deps.sh).
/usr/bin/python3 "$(dirname "$0")/engine_sound_check.py" "$e2e_work/quiet.raw" "$e2e_work/race.raw" \
  "$e2e_work/race.txt" || fail "the recorded engine does not match the race"
