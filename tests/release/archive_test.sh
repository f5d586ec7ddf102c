#!/usr/bin/env bash
# The player's archive as cpack makes it: the 32-bit vorta.exe and the 64-bit vorta64.exe, each
# without debug data and carrying its version for Windows to show, beside vorta-replay.exe
# (without debug data too), the README, its pictures and the fonts' licences. $1: the build's CPackConfig.cmake.
set -u
config=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack --config "$config" -B "$work" >"$work/cpack.log" 2>&1 || fail "cpack: $(cat "$work/cpack.log")"
python3 -m zipfile -e "$work/vorta-0.75-windows.zip" "$work/out" || fail "no archive"
top=$work/out/vorta-0.75-windows
files=$(cd "$top" && find . -type f | sort | tr '\n' ' ')
[ "$files" = "./README.txt ./ghost.png ./licences/Apache-2.0.txt ./licences/fonts-dejavu-core.txt \
./licences/fonts-motoya-l-maruberi.txt ./licences/fonts-mplus.txt ./time-slip.png \
./vorta-replay.exe ./vorta.exe ./vorta64.exe " ] || fail "the archive holds: $files"

# $1 the executable, $2 its format.
check_stripped() {
  x86_64-w64-mingw32-objdump -f "$top/$1" | grep -q "file format $2$" || fail "$1 is not $2"
  ! x86_64-w64-mingw32-objdump -h "$top/$1" | grep -q '\.debug' || fail "$1 carries debug data"
}

# $1 the game's executable, $2 its format.
check_exe() {
  local exe=$top/$1 rc
  check_stripped "$1" "$2"
  rc=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>&1) || fail "$1: no resources read: $rc"
  for line in 'FILEVERSION 0, 75, 0, 0' 'PRODUCTVERSION 0, 75, 0, 0' \
    'VALUE "ProductName", "vorta ~Mark Q~"' 'VALUE "ProductVersion", "0.75"' \
    'VALUE "FileVersion", "0.75"' 'VALUE "LegalCopyright", "Copyright (C) 2026 VORTA PROJECT"' \
    "VALUE \"OriginalFilename\", \"$1\""; do
    grep -qF "$line" <<<"$rc" || fail "$1: no $line in its version resource"
  done
  grep -q 'VALUE "FileDescription", "vorta ~Mark Q~' <<<"$rc" || fail "$1: no description"
}
check_exe vorta.exe pei-i386
check_exe vorta64.exe pei-x86-64
check_stripped vorta-replay.exe pei-x86-64
echo "archive: $(stat -c %s "$work/vorta-0.75-windows.zip") bytes; $files"
