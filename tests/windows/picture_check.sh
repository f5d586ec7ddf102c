#!/usr/bin/env bash
# One golden picture: draws the screen state $4 with the picture program under Wine and
# compares it with the approved tests/golden/$4.png. On a difference the picture drawn and a
# picture of the difference (changed pixels red over a pale copy) stay in the output folder.
# With VORTA_UPDATE_GOLDEN=1 the drawn picture becomes the approved one instead.
# Usage: picture_check.sh wine-run.sh wineprefix golden_pictures.exe state golden_dir out_dir
set -u
wine_run=$1 prefix=$2 program=$3 state=$4 golden=$5/$4.png out=$6
mkdir -p "$out"
cd "$out" || exit 1
rm -f "$state.ppm" "$state.png" "$state-diff.png"
"$wine_run" --prefix "$prefix" "$program" --gtest_brief=1 --gtest_filter="Pictures.$state" ||
  exit 1
[ -s "$state.ppm" ] || { echo "FAIL: $state was not drawn"; exit 1; }
# Without the time chunks, so that a picture drawn again is the same file.
convert "$state.ppm" -define png:exclude-chunks=date,time "$state.png" && rm -f "$state.ppm"

differ=$(compare -metric AE "$golden" "$state.png" "$state-diff.png" 2>&1)
[ "$differ" = 0 ] && { rm -f "$state-diff.png"; exit 0; }
if [ "${VORTA_UPDATE_GOLDEN:-0}" = 1 ]; then
  cp "$state.png" "$golden" && echo "UPDATED: $golden (look at it before committing)"
  exit 0
fi
echo "FAIL: $differ pixels differ from $golden; drawn: $out/$state.png, difference: $out/$state-diff.png"
exit 1
