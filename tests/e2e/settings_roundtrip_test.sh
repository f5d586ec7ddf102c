#!/usr/bin/env bash
# Settings written by the player come back at exit: a button number past 255 keeps its low
# byte, and a window-mode setting survives a close with Alt+F4.
source "$(dirname "$0")/lib.sh"
e2e_setup

printf '[VORTA]\r\nWINDOW=1\r\nSPEEDMETER=1\r\n[JOYSTICK]\r\nALT=258\r\nCTRL=7\r\n[DEVICE]\r\nHEL=1\r\n' \
  >"$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
sleep 1
e2e_alt_f4
e2e_wait_exit 5

ini=$(tr -d '\r' <"$e2e_work/vorta.ini")
for line in WINDOW=1 SPEEDMETER=1 ALT=2 CTRL=7 SPACE_ENTER=8 ESC=9 HEL=1; do
  grep -qx "$line" <<<"$ini" || fail "missing $line in: $ini"
done
[ "$(grep -c = <<<"$ini")" -eq 7 ] || fail "not exactly seven keys: $ini"
