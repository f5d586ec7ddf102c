#!/usr/bin/env bash
# Soak run (a script, and in a short form a test): plays random keys at vorta.exe under Wine
# for the given time, through every screen, with the time slip, the ghost and the engine sound
# switched on in vorta.ini; in runs of more than two minutes a scripted driver also finishes a
# race every few minutes. Once a minute, on the title, it takes the game's figures:
#   private_kb    GetProcessMemoryInfo's commit charge (PagefileUsage); under Wine the Linux
#                 process's anonymous resident memory and swap (RssAnon + VmSwap), the host's
#                 OpenGL driver's memory included;
#   committed_kb  the private memory committed in the game's Windows address space (what the
#                 game and the Windows DLLs it calls allocated, without the host driver's);
#   working_kb    the working set: the Linux resident set (VmRSS);
#   handles       the kernel objects it holds open, as Wine's server counts them;
#   gdi_objects   the GDI objects in its GDI handle table (GetGuiResources answers nothing
#                 under Wine).
# It writes them to soak.csv and plots them in soak.png, and fails on a crash (the game gone
# without an orderly exit, or a message box), a hang (its loop not answering for 2 s) or growth
# after the warm-up (races, and in the long run display rebuilds in the race): more than 2 MB of
# committed memory or of the lowest private bytes, or more than a few handles or GDI objects,
# each display level (what Wine holds for a window or for full screen) against its own first
# figures.
# Usage: tools/soak.sh [seconds] [folder]   (default 60 s and build/soak)
#   VORTA_WIN64_DIR=<a built Windows build> skips building the whole tree.
set -uo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
out=${2:-$root/build/soak}
if [ -z "${VORTA_WIN64_DIR:-}" ]; then
  source "$root/tools/configure.sh"
  cmake --build "$build" -j2 --target win64 >/dev/null || exit 1
  VORTA_WIN64_DIR=$build/win64
  export VORTA_WINEPREFIX=${VORTA_WINEPREFIX:-$build/wineprefix}
fi
source "$root/tools/wine-env.sh"
probe=$VORTA_WIN64_DIR/vorta_probe.exe
work=$(mktemp -d)
mkdir -p "$out"
csv=$out/soak.csv
game_pid=""
pulse_pid=""

# Growth allowed between the first title sample of a display level after the warm-up and any
# later one at that level. Wine's heaps keep what was freed and now and then grow by a step of
# about 1.6 MB (once in 36 visits to the race, measured: Wine itself keeps about 1.6 kB a visit
# of the race's resources); a leak of a picture or a model a race would pass this in minutes.
max_growth_kb=2048
max_handle_growth=16
max_gdi_growth=16

cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  vorta_wine_stop
  vorta_xvfb_stop
  [ -n "$pulse_pid" ] && kill "$pulse_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "SOAK FAILED: $*" >&2
  exit 1
}

vorta_wine_prefix_init
# 640x480x16: F2 can take the game to full screen and back.
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
# A private sound server with a null sink, where PulseAudio is installed, so that the engine
# sound plays into something; without one the game runs without a sound device.
if command -v pulseaudio >/dev/null; then
  mkdir -p "$work/pulse"
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --load="module-null-sink sink_name=soak" \
    --load="module-native-protocol-unix socket=$work/pulse/native auth-anonymous=1" \
    >/dev/null 2>&1 &
  pulse_pid=$!
  export PULSE_SERVER=unix:$work/pulse/native
fi
cp "$VORTA_WIN64_DIR/vorta.exe" "$work/vorta.exe"
printf '[VORTA]\r\nSLIP=1\r\nGHOST=1\r\nSOUND=1\r\n' >"$work/vorta.ini"

probe() {
  local out status
  out=$(wine "$probe" "$@" 2>/dev/null)
  status=$?
  printf '%s\n' "${out//$'\r'/}"
  return $status
}

start_game() {
  (cd "$work" && exec wine "$work/vorta.exe" >/dev/null 2>&1) &
  game_pid=$!
  local window
  window=$(vorta_wait_window)
  [ -n "$window" ] || fail "the game window did not appear"
  game_window=$window
  sleep 3
}

# The title's EXIT row (the last of its menu) as the game shows it now, as PNG $1, from where
# the window's client area is on the screen: in a window on this 640x480 screen the title bar
# pushes it down and X clips it to 640x463, in full screen it fills the screen.
exit_row() {
  local origin x=0 y=0
  origin=$(xwininfo -children -id "$game_window" 2>/dev/null |
    sed -n 's/.* [0-9]*x[0-9]*+-\{0,1\}[0-9]*+-\{0,1\}[0-9]*  *+\([0-9]*\)+\([0-9]*\)$/\1 \2/p' | head -n1)
  [ -n "$origin" ] && read -r x y <<<"$origin"
  # Only its shape counts (lit or dark): under Wine a window on a 16-bit screen shows other
  # colours than full screen does.
  xwd -root -silent | convert xwd:- -crop "304x32+$((x + 168))+$((y + 358))" +repage \
    -colorspace gray -threshold 10% "$1"
}

# Whether the title shows its cursor on EXIT, against the picture taken in warm_up.
exit_chosen() {
  [ -f "$work/exit_chosen.png" ] || return 1
  exit_row "$work/exit_now.png" 2>/dev/null || return 1
  local differ
  # About 2,500 of the row's 9,728 pixels change with the cursor; under 100 between the modes.
  differ=$(compare -metric AE "$work/exit_chosen.png" "$work/exit_now.png" null: 2>&1)
  [ "${differ%% *}" -lt 500 ] 2>/dev/null
}

# One random key, held for a random part of a second. Arrows, Alt and Ctrl (the race's
# controls and the menus) come most often; Space, Return, Esc and the function keys less.
# Space on the title's EXIT becomes Down: one run of the game is to last the whole soak, so
# that its memory is watched over all of it (the exit in order is the Alt+F4 at the end).
keys=(Up Down Left Right Up Down Left Right Alt_L Alt_L Control_L Control_L space Return Escape
  F1 F2 F3 F4 F5)
random_key() {
  local key=${keys[RANDOM % ${#keys[@]}]}
  [ "$key" = space ] && exit_chosen && key=Down
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown "$key"
  sleep "0.$(( RANDOM % 5 + 1 ))"
  xdotool keyup "$key"
  last_key=$key
}

# False only when the game's window is there and its loop did not answer within 2 s.
alive() {
  probe alive 2000 >/dev/null
  [ $? -ne 1 ]
}

press() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool keydown "$1"
  sleep 0.15
  xdotool keyup "$1"
}

hold() {
  xdotool windowfocus "$game_window" 2>/dev/null
  xdotool "key$1" "$2"
}

# The figures are taken on the title, once they hold still: a key pressed just before may have
# been F2, whose display rebuild (a few seconds on a busy machine) is half done until then.
title_sample() {
  local before after look
  press Escape
  sleep 2
  after=$(probe stats)
  for look in 1 2 3 4 5; do
    sleep 1
    before=$after
    after=$(probe stats)
    [ "$(value display_mode "$before")" = "$(value display_mode "$after")" ] &&
      [ "$(value committed_kb "$before")" = "$(value committed_kb "$after")" ] && break
  done
  echo "$after"
}

# A race to the finish from the title, driven by the clock rather than by the picture (the
# 16-bit screen's dumps show wrong colours): the 400 m course, the first car, first gear
# with the clutch held, the launch well after the go lamp, two shifts, the throttle to the end;
# then Space (the record screen when the run placed, a new race otherwise) and Esc.
finish_race() {
  local key
  press space
  sleep 2
  press space
  sleep 1.5
  hold down Control_L
  press Left
  press Up
  hold down Alt_L
  sleep 6.5
  hold up Control_L
  sleep 4
  for key in "Down Down" "Up Right Up"; do
    hold up Alt_L
    hold down Control_L
    for k in $key; do press "$k"; sleep 0.1; done
    hold up Control_L
    hold down Alt_L
    sleep 5
  done
  sleep 15
  hold up Alt_L
  press space
  sleep 2
  press Return
  sleep 1
  press Return
  sleep 1
  press Escape
  sleep 3
}

# From the title's first item through car select into the race, and Esc back to the title,
# whose opening ends with the cursor on that item again. Keys lost on a busy machine leave the
# game on the title or in car select, from where Esc leads back as well.
visit_race() {
  press space
  sleep 1.5
  press space
  sleep 2.5
  press Escape
  sleep 4.5
}

# From the title into the race, F2 twice in it (the display rebuilt into the other mode and
# back, the race's pictures, textures and models loaded again each time), and Esc back.
visit_race_rebuilding() {
  press space
  sleep 1.5
  press space
  sleep 2.5
  press F2
  sleep 3
  press F2
  sleep 3
  press Escape
  sleep 4.5
}

# Races and display rebuilds before the first figures, so that what racing loads once (the
# driver's and Wine's caches) and what Wine's heap grows to is counted in them. Wine never
# gives back a hole inside its heap, only its free end: measured, the committed memory grew
# 2.6 MB over the first six race visits and then held for thirty; a rebuild in the race leaves
# holes the next set of pictures fits only in part, 1.3 MB over the first 14 visits with F2 in
# the race, and then not a kB more over the next 26. In the long soak a whole race comes first.
# Then figures on the title in each display mode, the yardsticks of the run.
warm_up() {
  local visit
  sleep 3  # the title's opening
  if [ "$seconds" -gt 120 ]; then
    finish_race
    sleep 1
  fi
  for visit in 1 2 3 4 5 6; do visit_race; done
  if [ "$seconds" -gt 120 ]; then
    for visit in $(seq 1 16); do visit_race_rebuilding; done
  fi
  first_of_level=("" "" "")
  take_first_sample
  press F2
  sleep 3
  take_first_sample
  press F2
  sleep 3
  # Esc made a new visit to the title: its opening (3.6 s) shows the menu at its end, with the
  # cursor on the first item; Up takes it round to EXIT.
  press Escape
  sleep 3.5
  press Up
  sleep 0.5
  exit_row "$work/exit_chosen.png"
  press Down
}

take_first_sample() {
  local sample
  sample=$(title_sample)
  judge "$sample"
  echo "start ($(level_name "$level")): $sample"
  record "$sample"
}

# What Wine holds for the display, from the private bytes: 1 its window level (51-62 MB
# measured), 2 its full-screen level (189-196 MB: the host driver's buffers of a 640x480
# flip chain, and 2.3 MB more committed in Wine). The level follows what Wine keeps, not the
# mode the game runs in: runs judged by the game's mode met the full-screen level in a window
# and the window level in full screen, each as flat as the other. So figures are compared
# within their level.
display_level_of() {
  local private
  private=$(value private_kb "$1")
  [ -n "$private" ] || return 1
  if [ "$private" -gt 131072 ]; then echo 2; else echo 1; fi
}
level_name() { [ "$1" = 1 ] && echo "window level" || echo "full-screen level"; }

value() { sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<<"$2"; }

echo "minute,elapsed_s,private_kb,committed_kb,working_kb,handles,gdi_objects,races_finished,restarts,display_mode,display_level" >"$csv"
races() { [ -f "$work/vorta_runs.csv" ] && echo $(( $(wc -l <"$work/vorta_runs.csv") - 1 )) || echo 0; }
record() {
  local elapsed=$(( $(date +%s) - started ))
  echo "$(( elapsed / 60 )),$elapsed,$(value private_kb "$1"),$(value committed_kb "$1"),$(value working_set_kb "$1"),$(value handles "$1"),$(value gdi_objects "$1"),$(races),$runs,$(value display_mode "$1"),$(display_level_of "$1")" >>"$csv"
}

# Compares a title sample with the first of the same display level in the same run of the
# game; fails beyond noise. The first sample of a level is its yardstick. Leaves the sample's
# level, its yardstick and the growths for the summary at the end.
worst_kb=0
judge() {
  local sample=$1
  level=$(display_level_of "$sample") || fail "no figures from the game: $sample"
  [ -n "${first_of_level[level]}" ] || first_of_level[level]=$sample
  first=${first_of_level[level]}
  growth_kb=$(( $(value committed_kb "$sample") - $(value committed_kb "$first") ))
  growth_handles=$(( $(value handles "$sample") - $(value handles "$first") ))
  growth_gdi=$(( $(value gdi_objects "$sample") - $(value gdi_objects "$first") ))
  [ "$growth_kb" -gt "$worst_kb" ] && worst_kb=$growth_kb
  [ "$growth_kb" -le "$max_growth_kb" ] ||
    fail "committed memory grew by $growth_kb kB ($(level_name "$level"))"
  [ "$growth_handles" -le "$max_handle_growth" ] || fail "handle count grew by $growth_handles"
  [ "$growth_gdi" -le "$max_gdi_growth" ] || fail "GDI objects grew by $growth_gdi"
}

plot() {
  gnuplot <<EOF 2>/dev/null || echo "no plot (gnuplot failed)"
set terminal pngcairo size 800,450
set output "$out/soak.png"
set datafile separator ","
set key outside bottom center horizontal
set xlabel "minutes"
set ylabel "MB"
set y2label "count"
set y2tics
set ytics nomirror
set yrange [0:*]
set y2range [0:*]
set title "vorta.exe under Wine: one sample a minute on the title"
plot "$csv" using (\$2/60):(\$3/1024) every ::1 with linespoints title "private", \
     "" using (\$2/60):(\$4/1024) every ::1 with linespoints title "committed", \
     "" using (\$2/60):(\$5/1024) every ::1 with linespoints title "working set", \
     "" using (\$2/60):6 every ::1 axes x1y2 with linespoints title "handles", \
     "" using (\$2/60):7 every ::1 axes x1y2 with linespoints title "GDI objects"
EOF
}

runs=0
started=$(date +%s)
start_game
warm_up
deadline=$(( $(date +%s) + seconds ))
last_sample=$(date +%s)
# Should the title's exit be chosen after all (a key the check above missed), the game is
# started again; each run is judged on the title every minute, not only at the end.
last_title=$(date +%s)
minutes=0
while [ "$(date +%s)" -lt "$deadline" ]; do
  random_key
  if ! kill -0 "$game_pid" 2>/dev/null; then
    wait "$game_pid"
    # The title's last menu item ends the game in order: a complete save file is left.
    [ "$(stat -c %s "$work/vorta.sav" 2>/dev/null)" = 1098 ] ||
      fail "the game ended without its save file (last key $last_key)"
    runs=$((runs + 1))
    echo "the game left in order after $last_key; started again"
    start_game
    warm_up
    last_title=$(date +%s)
  fi
  if [ $(( $(date +%s) - last_title )) -ge 60 ] && [ $(( deadline - $(date +%s) )) -ge 60 ]; then
    last_title=$(date +%s)
    minutes=$((minutes + 1))
    sample=$(title_sample)
    echo "after $(( last_title - started )) s: $sample"
    record "$sample"
    judge "$sample"
    # Every third minute a race to the finish, from the title the sample left.
    if [ "$seconds" -gt 120 ] && [ $((minutes % 3)) -eq 2 ]; then
      sleep 3
      finish_race
    fi
  fi
  if [ $(( $(date +%s) - last_sample )) -ge 8 ]; then
    last_sample=$(date +%s)
    box=$(probe msgbox 50) && fail "message box: $box"
    # A frame loop that answers nothing for 2 s, twice running: a display rebuild or a scene's
    # loading can stall one look on a busy machine, never two. No window at all (the game
    # closing after the title's exit, or still starting) is no hang.
    if kill -0 "$game_pid" 2>/dev/null && ! alive; then
      kill -0 "$game_pid" 2>/dev/null && ! alive && fail "no frame for 2 s, twice (hang)"
    fi
  fi
done

last=$(title_sample)
echo "end:   $last"
record "$last"
plot
xdotool windowfocus "$game_window" 2>/dev/null
xdotool keydown alt key F4 keyup alt
for i in $(seq 1 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after Alt+F4"
game_pid=""

judge "$last"
host_kb=$(( $(value private_kb "$last") - $(value private_kb "$first") - growth_kb ))
echo "growth over the last run ($(level_name "$level")): ${growth_kb} kB" \
  "committed, ${growth_handles} handles, ${growth_gdi} GDI objects (and ${host_kb} kB more" \
  "private memory, in the host's graphics driver); races finished: $(races); orderly exits on" \
  "the way: $runs"
echo "largest growth within one run: ${worst_kb} kB committed"
# The private bytes carry the host driver's buffer of 64-68 MB, which Wine's Direct3D takes and
# gives back now and then: a sample has it or not. What leaks raises the lowest level instead,
# so at each display level the lowest of the last third of its samples is held against the
# lowest of the first third (from six samples on, when each third has two or more).
for level in 1 2; do
  floor_growth=$(awk -F, -v runs="$runs" -v level="$level" 'NR > 1 && $9 == runs && $11 == level {
      v[n++] = $3
    }
    END {
      if (n < 6) { print "none"; exit }
      third = int(n / 3); first = v[0]; last = v[n - 1]
      for (i = 0; i < third; i++) if (v[i] < first) first = v[i]
      for (i = n - third; i < n; i++) if (v[i] < last) last = v[i]
      print last - first
    }' "$csv")
  [ "$floor_growth" != none ] || continue
  echo "growth of the lowest private bytes ($(level_name "$level")): ${floor_growth} kB"
  [ "$floor_growth" -le "$max_growth_kb" ] || fail "private bytes grew by $floor_growth kB"
done
echo "figures: $csv, $out/soak.png"
echo "soak passed"
