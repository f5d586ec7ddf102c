#!/usr/bin/env bash
# "/d" replaces an old log with a fresh one that starts with the date, a tab and the
# debug-mode line, in code page 932 like the game's other texts. (No other first word switches the log on: the core command-line test;
# a start without one writes none: shell_exit_test.)
source "$(dirname "$0")/lib.sh"
e2e_setup

printf "[VORTA]\r\nWINDOW=1\r\n" >"$e2e_work/vorta.ini"
echo "an old log from another run" >"$e2e_work/vorta.log"
# The stamp is the local time also for a Unix zone name, which the C runtime reads as UTC.
export TZ=Europe/Berlin
before=$(date +'%Y/%m/%d %H:%M')
e2e_start /d
e2e_wait_window
sleep 1
e2e_alt_f4
e2e_wait_exit 5
after=$(date +'%Y/%m/%d %H:%M')

first_line=$(e2e_log | head -n1 | tr -d '\r')
[[ "$first_line" =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2}\ [0-9]{2}:[0-9]{2}:[0-9]{2}$'\t'デバックモードで起動します。$ ]] \
  || fail "first log entry: $first_line"
[[ "${first_line:0:16}" == "$before" || "${first_line:0:16}" == "$after" ]] \
  || fail "log stamp ${first_line:0:19} is not the local time $before"
if grep -q "an old log" "$e2e_work/vorta.log"; then fail "the old log was kept"; fi
