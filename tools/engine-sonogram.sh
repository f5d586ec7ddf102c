#!/usr/bin/env bash
# Records the engine of one car's 400 m run through the real audio path (the game under Wine
# playing into a private PulseAudio server's null sink, recorded from its monitor) and draws
# its sonogram with sox: time across, 0 to 4 kHz up.
# Usage: tools/engine-sonogram.sh <presses of Right on the car select screen> <out.png>
#        [title]   (VORTA_WIN64_DIR=<a built Windows build> skips the build; ENGINE_RAW=<file>
#        keeps the recording, 16-bit mono at 44,100 Hz)
set -u
right=$1 png=$2 title=${3:-}
source "$(dirname "$0")/win64-build.sh"
export VORTA_EXE=$VORTA_WIN64_DIR/vorta.exe
export VORTA_E2E_WORK=$(mktemp -d)
source "$root/tests/e2e/lib.sh"
source "$root/tests/e2e/race_driver.sh"
source "$root/tools/pulse-env.sh"
recorder=""
e2e_setup 1024x768x24
# After e2e_setup, whose own trap this one replaces.
trap '[ -n "$recorder" ] && kill "$recorder"; e2e_cleanup; vorta_pulse_stop; rm -rf "$VORTA_E2E_WORK"' EXIT
vorta_pulse_start "$VORTA_E2E_WORK/pulse" || fail "no sound server"
# The dial style, whose clock the driver watches; the engine sound on.
printf '[VORTA]\r\nWINDOW=1\r\nSPEEDMETER=1\r\nSOUND=1\r\n' >"$e2e_work/vorta.ini"
# More buffering in the server than Wine asks for: a busy machine must not punch holes in it.
export PULSE_SERVER=$VORTA_PULSE_SERVER PULSE_LATENCY_MSEC=100
e2e_start
e2e_wait_window
e2e_wait_title_menu
e2e_keys space
sleep 1.5
for ((i = 0; i < right; i++)); do e2e_keys Right; done
e2e_keys space
parec -d S.monitor --format=s16le --rate=44100 --channels=1 --raw >"$e2e_work/engine.raw" &
recorder=$!
race_drive "$race_clock_dial" third
sleep 1.5
kill "$recorder"
recorder=""
sox -t raw -r 44100 -e signed -b 16 -c 1 "$e2e_work/engine.raw" -n rate 8k \
  spectrogram -x 900 -y 260 -z 75 -t "$title" -o "$png"
[ -n "${ENGINE_RAW:-}" ] && cp "$e2e_work/engine.raw" "$ENGINE_RAW"
echo "$png"
