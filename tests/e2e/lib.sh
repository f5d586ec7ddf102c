# End-to-end test helpers: run vorta.exe under Wine on a private X server, press keys, take
# screenshots, and clean up everything started, also on failure. Source it from a test.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"

: "${VORTA_EXE:?VORTA_EXE must name the vorta.exe under test}"
e2e_name=$(basename "$0" .sh)
e2e_work=${VORTA_E2E_WORK:-/tmp/vorta-e2e}/$e2e_name
game_pid=""
game_window=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

e2e_cleanup() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid" 2>/dev/null
    sleep 0.5
    kill -9 "$game_pid" 2>/dev/null
  fi
  pkill -f "$e2e_work/.*vorta.exe" 2>/dev/null || true
  vorta_wine_stop
  vorta_xvfb_stop
}

# A fresh working folder (the game's .ini, .sav and .log live there) and an X server.
# $1: screen geometry (full-screen tests need 640x480x24).
e2e_setup() {
  rm -rf "$e2e_work"
  mkdir -p "$e2e_work"
  cp "$VORTA_EXE" "$e2e_work/vorta.exe"
  trap e2e_cleanup EXIT
  vorta_wine_prefix_init
  vorta_xvfb_start "${1:-1024x768x24}" || fail "Xvfb did not start"
}

# Starts the game with the given arguments in the working folder.
e2e_start() {
  (cd "$e2e_work" && exec wine "$e2e_work/vorta.exe" "$@" >"$e2e_work/wine.out" 2>&1) &
  game_pid=$!
}

# Waits for the game's window; sets game_window.
e2e_wait_window() {
  local i
  for i in $(seq 1 150); do
    game_window=$(xdotool search --name '^vorta ~Mark Q~ Ver0\.75$' 2>/dev/null | head -n1)
    [ -n "$game_window" ] && { xdotool windowfocus "$game_window" 2>/dev/null; return 0; }
    sleep 0.2
  done
  fail "the game window did not appear"
}

# The game's debug log in UTF-8, as the tests' texts are: the game writes it in code page 932.
e2e_log() {
  iconv -f CP932 -t UTF-8 "$e2e_work/vorta.log"
}

# Holds a key long enough for a per-frame poll to see it.
e2e_press() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown "$1"
  sleep "${2:-0.15}"
  xdotool keyup "$1"
}

# Presses $1 with Alt held: a system key to Windows, still the game's.
e2e_press_with_alt() {
  e2e_key_down Alt_L
  e2e_press "$1"
  e2e_key_up Alt_L
}

e2e_alt_f4() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown alt
  sleep 0.1
  xdotool key F4
  sleep 0.1
  xdotool keyup alt
}

# Waits up to $1 seconds for the game to end; fails otherwise.
e2e_wait_exit() {
  local i
  for i in $(seq 1 $(($1 * 10))); do
    kill -0 "$game_pid" 2>/dev/null || { wait "$game_pid" 2>/dev/null; game_pid=""; return 0; }
    sleep 0.1
  done
  fail "the game did not end within $1 s"
}

# From the title's menu, its last item: the orderly exit. Waits up to $1 s (15) for the end.
e2e_exit_from_title() {
  e2e_keys Up space
  e2e_wait_exit "${1:-15}"
}

# Fails unless vorta.ini holds each of the lines given ("KEY=value").
e2e_ini_has() {
  local ini line
  ini=$(tr -d '\r' <"$e2e_work/vorta.ini")
  for line in "$@"; do
    grep -qx "$line" <<<"$ini" || fail "no $line in vorta.ini: $ini"
  done
}

# "WxH+X+Y" of the game's top-level X window: "640x480+0+0" in full screen.
e2e_window_geometry() {
  xwininfo -id "$game_window" | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^  Width/ {w=$NF} /^  Height/ {h=$NF}
    END {print w "x" h "+" x "+" y}'
}

# "x y" of the game window's 640x480 client area on the screen, or nothing.
e2e_client_origin() {
  xwininfo -children -id "$game_window" 2>/dev/null |
    sed -n 's/.* 640x480+-\{0,1\}[0-9]*+-\{0,1\}[0-9]*  *+\(-\{0,1\}[0-9]*\)+\(-\{0,1\}[0-9]*\)$/\1 \2/p' |
    head -n1
}

# Waits up to 10 s for the window's 640x480 client area (the display is made after the window
# shows, slowly on a busy machine); prints its origin, or fails.
e2e_wait_client() {
  local i origin
  for i in $(seq 1 100); do
    origin=$(e2e_client_origin)
    [ -n "$origin" ] && { echo "$origin"; return 0; }
    sleep 0.1
  done
  fail "no 640x480 client area in the window"
}

# The game's 640x480 picture as PNG: the client area in a window, the screen in full screen.
e2e_picture() {
  local origin cx cy
  origin=$(e2e_client_origin)
  if [ -n "$origin" ]; then
    read -r cx cy <<<"$origin"
    xwd -root -silent | convert xwd:- -crop "640x480+$cx+$cy" +repage "$1"
  else
    xwd -root -silent | convert xwd:- -crop 640x480+0+0 +repage "$1"
  fi
}

# The probe that looks at the game from beside it (tools/probe), built next to vorta.exe.
# Its output without Windows line ends; its own exit code.
e2e_probe() {
  local out status
  out=$(wine "$(dirname "$VORTA_EXE")/vorta_probe.exe" "$@" 2>/dev/null)
  status=$?
  printf '%s\n' "${out//$'\r'/}"
  return $status
}

# Key down and up on their own, for keys held across other presses (the throttle, the clutch).
e2e_key_down() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown "$1"
}
e2e_key_up() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keyup "$1"
}

# Presses keys one after another, each held long enough for a frame to see it.
e2e_keys() {
  local key
  for key in "$@"; do
    e2e_press "$key" 0.1
    sleep 0.15
  done
}

# From the moment the game window shows, waits for the title's first visit to finish its
# opening (about 3.6 s), so that the menu takes the next keys.
e2e_wait_title_menu() {
  sleep "${1:-6}"
}

# A save file as the game writes it on a first run (the default records), made by starting and
# closing it once; $1 where it goes. The working folder's own save file is replaced.
e2e_make_save_file() {
  rm -f "$e2e_work/vorta.sav"
  e2e_start
  e2e_wait_window
  sleep 2
  e2e_alt_f4
  e2e_wait_exit 10
  [ "$1" = "$e2e_work/vorta.sav" ] || mv "$e2e_work/vorta.sav" "$1"
}

# Rewrites the save file $2 so that both tables of course $1 (0: 400 m, 1: 1000 m) hold entries
# any finished run beats: a driver made of key presses launches late and shifts slowly.
e2e_slow_tables() {
  local place
  for place in 0 1 2 3 4; do
    printf '%d\t0\t%d\t%d\tSLOW\tnobody\t0\t0\n' "$1" "$place" $((100 + place))
    printf '%d\t1\t%d\t%d\tSLOW\tnobody\t0\t0\n' "$1" "$place" $((50 - place))
  done | python3 "$(dirname "${BASH_SOURCE[0]}")/save_reader.py" --write "$2" "$2"
}

# The save file's tables, one entry a line (tests/e2e/save_reader.py); fails on a bad file.
e2e_save_tables() {
  python3 "$(dirname "${BASH_SOURCE[0]}")/save_reader.py" "$1" || fail "$1 is not a sound save file"
}

# The text $2 in the 16x32 font bitmap $1 (40 cells a row, the first cell the space), its
# black keyed out, as the PNG $3.
e2e_glyphs() {
  local i code cells=()
  for ((i = 0; i < ${#2}; i++)); do
    code=$(($(printf '%d' "'${2:i:1}") - 32))
    cells+=(\( -clone 0 -crop "16x32+$((code % 40 * 16))+$((code / 40 * 32))" +repage \))
  done
  convert "$1" "${cells[@]}" -delete 0 +append -transparent black "$3"
}

# How many pixels of the picture $1 differ (beyond the fuzz $3 %, 8 by default) from the keyed
# glyphs $2 laid over it: only the glyphs' own pixels count, whatever shows through around them.
e2e_keyed_differs() {
  convert "$1" "$2" -composite -type TrueColor png:- |
    compare -metric AE -fuzz "${3:-8}%" - "$1" null: 2>&1 | cut -d' ' -f1
}

# How many pixels of the text $2, drawn with the font bitmap $1 at ($3, $4) of the picture $5,
# differ from the font's own cells.
e2e_text_differs() {
  local glyphs="$e2e_work/text_glyphs.png" seen="$e2e_work/text_seen.png"
  e2e_glyphs "$1" "$2" "$glyphs"
  convert "$5" -crop "$((16 * ${#2}))x32+$3+$4" +repage -type TrueColor "$seen"
  e2e_keyed_differs "$seen" "$glyphs"
}
