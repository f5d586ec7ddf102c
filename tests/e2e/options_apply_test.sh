#!/usr/bin/env bash
# From the title the options are changed: analog speedometer and the other screen mode,
# applied with OK. Both reach vorta.ini at the exit through the title. (The record viewer's
# tables are guarded by the golden pictures, its keys by the core tests.)
source "$(dirname "$0")/lib.sh"

# The whole 640x480 screen is the full-screen picture; a window is anything else.
in_window() { [ "$(e2e_window_geometry)" != "640x480+0+0" ]; }

# On a desktop that can show the 640x480x16 full screen; the first start has no settings and
# so comes up in full screen. (A window cannot have its whole 640x480 client area on this
# small screen.)
e2e_setup 640x480x16
e2e_start
e2e_wait_window
e2e_wait_title_menu
in_window && fail "the first start is not in full screen"
e2e_keys Down Down Down space
sleep 1
# Screen: Full -> Window; Speedmeter: Digital -> Analog; no joystick: straight to OK.
e2e_keys Right Down Right Down space
sleep 3
kill -0 "$game_pid" 2>/dev/null || fail "the game ended when the options were applied"
in_window || fail "still full screen after OK"
e2e_exit_from_title 10
e2e_ini_has WINDOW=1 SPEEDMETER=1
