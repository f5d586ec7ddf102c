#!/usr/bin/env bash
# A save file that another program holds while the game starts: the player is told once, at
# start-up, that this session's records will not be saved, and the file comes out of the
# session untouched even though it is free again by the exit. A readable file brings no box.
source "$(dirname "$0")/lib.sh"

e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_make_save_file "$e2e_work/vorta.sav"
cp "$e2e_work/vorta.sav" "$e2e_work/before.sav"

(cd "$e2e_work" && exec wine "$(dirname "$VORTA_EXE")/vorta_probe.exe" hold vorta.sav 8000 \
  >"$e2e_work/hold.out" 2>/dev/null) &
holder=$!
for i in $(seq 1 100); do grep -q held "$e2e_work/hold.out" && break; sleep 0.1; done
grep -q held "$e2e_work/hold.out" || fail "the save file could not be held"

e2e_start
e2e_wait_window
box=$(e2e_probe msgbox 20000) || fail "no message box for the held save file"
[ "$box" = $'error\tセーブデータを読み込めませんでした。今回の記録は保存されません。' ] ||
  fail "message box '$box'"
wait "$holder"
e2e_wait_title_menu
box=$(e2e_probe msgbox 2000) && fail "a second message box: $box"
e2e_exit_from_title
cmp -s "$e2e_work/vorta.sav" "$e2e_work/before.sav" || fail "the held save file was written over"

e2e_start
e2e_wait_window
box=$(e2e_probe msgbox 3000) && fail "a message box for a readable save file: $box"
e2e_alt_f4
e2e_wait_exit 10
