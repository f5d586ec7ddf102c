#!/usr/bin/env bash
# "/d" replaces an old log with a fresh one that starts with the date, a tab and the
# debug-mode line; any other first word ("/D", "-d") writes no log at all.
source "$(dirname "$0")/lib.sh"
e2e_setup

printf "[VORTA]\r\nWINDOW=1\r\n" >"$e2e_work/vorta.ini"
echo "an old log from another run" >"$e2e_work/vorta.log"
e2e_start /d
e2e_wait_window
sleep 1
e2e_alt_f4
e2e_wait_exit 5

first_line=$(head -n1 "$e2e_work/vorta.log" | tr -d '\r')
[[ "$first_line" =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2}\ [0-9]{2}:[0-9]{2}:[0-9]{2}$'\t'デバックモードで起動します。$ ]] \
  || fail "first log entry: $first_line"
grep -q "an old log" "$e2e_work/vorta.log" && fail "the old log was kept"

for word in /D -d; do
  rm -f "$e2e_work/vorta.log"
  e2e_start "$word"
  e2e_wait_window
  sleep 1
  e2e_alt_f4
  e2e_wait_exit 5
  [ ! -e "$e2e_work/vorta.log" ] || fail "\"$word\" wrote a log"
done
