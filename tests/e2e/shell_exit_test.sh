#!/usr/bin/env bash
# The window appears with its exact title; without "/d" no log is written; Alt+F4 ends the
# game within a few seconds and leaves the seven settings (defaults when there was no file,
# the player's own ones when there was).
source "$(dirname "$0")/lib.sh"
e2e_setup 640x480x16  # no settings file: the game starts full screen, 16 bits per pixel

e2e_start
e2e_wait_window
[ "$(xdotool getwindowname "$game_window")" = "vorta ~Mark Q~ Ver0.75" ] || fail "window title"
sleep 1
e2e_alt_f4
e2e_wait_exit 5

[ ! -e "$e2e_work/vorta.log" ] || fail "a log was written without /d"
expected=$'[VORTA]\nWINDOW=0\nSPEEDMETER=0\n[JOYSTICK]\nALT=2\nCTRL=5\nSPACE_ENTER=8\nESC=9\n[DEVICE]\nHEL=0'
actual=$(tr -d '\r' <"$e2e_work/vorta.ini")
[ "$actual" = "$expected" ] || fail "vorta.ini after exit: $actual"

# Closing the window keeps the records as the title's exit does: a complete save file.
[ "$(stat -c %s "$e2e_work/vorta.sav")" -eq 1098 ] || fail "vorta.sav missing or not 1098 bytes"
[ "$(head -c 14 "$e2e_work/vorta.sav")" = "vorta ~Mark Q~" ] || fail "vorta.sav title"

# Settings written by the player come back at exit: a button number past 255 keeps its low
# byte, and a window-mode setting survives a close with Alt+F4.
printf '[VORTA]\r\nWINDOW=1\r\nSPEEDMETER=1\r\n[JOYSTICK]\r\nALT=258\r\nCTRL=7\r\n[DEVICE]\r\nHEL=1\r\n' \
  >"$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
sleep 1
e2e_alt_f4
e2e_wait_exit 5
e2e_ini_has WINDOW=1 SPEEDMETER=1 ALT=2 CTRL=7 SPACE_ENTER=8 ESC=9 HEL=1
[ "$(grep -c = "$e2e_work/vorta.ini")" -eq 7 ] || fail "not exactly seven keys: $(cat "$e2e_work/vorta.ini")"
