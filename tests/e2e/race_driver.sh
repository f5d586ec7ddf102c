# A driver for the end-to-end races: clutch and first gear at the line, the launch on the go
# lamp, shifts up, full throttle to the finish banner. Source it after lib.sh.
#
# The lever starts in the middle neutral cell; first gear is up-left, second down-left, third
# up in the middle column, fourth down in it. Gear moves need the clutch (left Ctrl) held.

# "x y w h" of the race clock: the time text of the dial style, which the races here use, and
# the time digits of the digital style.
race_clock_dial="280 66 110 32"
race_clock_digital="50 89 160 48"
race_font_bmp="$(dirname "${BASH_SOURCE[0]}")/../../resources/bitmaps/FONT.bmp"
race_orange_bmp="$(dirname "${BASH_SOURCE[0]}")/../../resources/bitmaps/FONT_DFPOP_32_ORANGE.bmp"
race_slip_bmp="$(dirname "${BASH_SOURCE[0]}")/../../resources/bitmaps/TIMESLIP.bmp"

# Where the game's picture is on the X screen: race_x, race_y.
race_locate() {
  local origin
  origin=$(e2e_client_origin)
  race_x=0 race_y=0
  [ -n "$origin" ] && read -r race_x race_y <<<"$origin"
}

# A rectangle "x y w h" of the game's picture, as PNG; quicker than a whole picture, so the
# driver sees the lamp and the line soon after they show.
race_grab() {
  local x y w h
  read -r x y w h <<<"$1"
  xwd -root -silent | convert xwd:- -crop "${w}x${h}+$((race_x + x))+$((race_y + y))" +repage \
    -type TrueColor "$2"
}

race_differs() {
  compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Waits (up to $2 s) for the race clock in region $1 to start running: the go lamp.
race_wait_for_go() {
  local region=$1 limit=${2:-15} end
  race_grab "$region" "$e2e_work/clock0.png"
  end=$((SECONDS + limit))
  while [ "$SECONDS" -lt "$end" ]; do
    race_grab "$region" "$e2e_work/clock.png"
    [ "$(race_differs "$e2e_work/clock0.png" "$e2e_work/clock.png")" -gt 40 ] && return 0
  done
  fail "the race clock did not start within $limit s"
}

# Waits (up to $1 s) for the blinking finish banner.
race_wait_for_finish() {
  local end=$((SECONDS + ${1:-40}))
  convert "$race_font_bmp" -crop 304x48+0+368 +repage -type TrueColor "$e2e_work/banner.png"
  while [ "$SECONDS" -lt "$end" ]; do
    race_grab "168 280 304 48" "$e2e_work/banner_seen.png"
    [ "$(race_differs "$e2e_work/banner.png" "$e2e_work/banner_seen.png")" -lt 6000 ] && return 0
    sleep 0.2
  done
  fail "no finish banner within ${1:-40} s"
}

# What the hundreds and tens places of the distance look like showing the digits of $1 (one
# digit: the hundreds place alone): the dial style prints "%4.0fm" at x 280 in the orange font,
# a space in the hundreds below 100 m.
race_distance_look() {
  local digits=$1 out="$e2e_work/distance_$1.png"
  [ "${digits:0:1}" = 0 ] && digits=" ${digits:1}"
  [ -f "$out" ] || e2e_glyphs "$race_orange_bmp" "$digits" "$out"
  echo "$out"
}

# Waits (up to 40 s) until the distance shown lies in one of the bands given as digits of the
# hundreds and tens places ("03" for 30..39 m, "3" for 300..399 m). The car model takes one
# step per frame, so shifting by the distance instead of the clock holds however fast frames
# come.
race_wait_distance() {
  local end=$((SECONDS + 40)) band x=296 y=98 look seen="$e2e_work/distance_seen.png"
  while [ "$SECONDS" -lt "$end" ]; do
    xwd -root -silent >"$e2e_work/screen.xwd"
    for band in "$@"; do
      convert "$e2e_work/screen.xwd" -crop "$((16 * ${#band}))x32+$((race_x + x))+$((race_y + y))" +repage \
         -type TrueColor "$seen"
      # Keyed: the dial's text lies over the moving scene.
      [ "$(e2e_keyed_differs "$seen" "$(race_distance_look "$band")" 10)" -lt 8 ] && return 0
    done
  done
  fail "the distance never reached the bands $*"
}

race_into_first() {
  e2e_key_down Control_L
  sleep 0.1
  e2e_keys Left Up
}

# One shift: throttle off, clutch in, the lever keys, clutch out, throttle on.
race_shift() {
  e2e_key_up Alt_L
  e2e_key_down Control_L
  local key
  # Each press and each release must last a frame even when frames come slowly, or a second
  # press of the same key is lost.
  for key in "$@"; do
    xdotool keydown "$key"
    sleep 0.12
    xdotool keyup "$key"
    sleep 0.12
  done
  e2e_key_up Control_L
  e2e_key_down Alt_L
}

# A whole run from the first race frame: waits for go in the clock region $1, drives through
# the gears and stops at the finish banner. $2 "fourth" shifts once more, for the long course.
race_drive() {
  local region=$1 gears=${2:-third}
  race_locate
  sleep 1
  race_into_first
  e2e_key_down Alt_L
  race_wait_for_go "$region"
  e2e_key_up Control_L
  race_wait_distance 02 03 04
  race_shift Down Down
  race_wait_distance 1
  race_shift Up Right Up
  if [ "$gears" = fourth ]; then
    race_wait_distance 3
    race_shift Down Down
  fi
  race_wait_for_finish 40
  e2e_key_up Alt_L
}

# How many pixels of the time slip's plate, where the R/T row leaves the speed column empty, differ
# in the picture $1; the course's plate lies $2 px into the picture (0: 1000 m, 144: 400 m).
race_slip_differs() {
  convert "$race_slip_bmp" -crop "35x16+$(($2 + 103))+36" +repage -type TrueColor "$e2e_work/plate.png"
  convert "$1" -crop 35x16+123+300 +repage -type TrueColor "$e2e_work/plate_seen.png"
  compare -metric AE -fuzz 8% "$e2e_work/plate.png" "$e2e_work/plate_seen.png" null: 2>&1 | cut -d' ' -f1
}

# The run log's one line, into race_run: fails unless the log holds the header and one run
# whose fields match the pattern $1 (without the date).
race_logged_run() {
  local log=$e2e_work/vorta_runs.csv when='20[0-9]{2}-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'
  local header=date,car,course_m,reaction_s,t20_s,t100_s,t200_s,v200_kmh,t400_s,v400_kmh,t600_s,t800_s,t1000_s,v1000_kmh,top_kmh,fps_finish
  race_run=$(tail -n1 "$log" | tr -d '\r')
  [ "$(head -n1 "$log" | tr -d '\r'):$(wc -l <"$log")" = "$header:2" ] && [[ "$race_run" =~ ^$when,$1$ ]] ||
    fail "the run log: $(cat "$log")"
}

# After the finish: Space until the record screen's heading shows (a placed run), at most
# three presses.
race_open_result() {
  local i
  convert "$(dirname "${BASH_SOURCE[0]}")/../../resources/bitmaps/RECORD.bmp" \
    -crop 256x48+0+32 +repage -type TrueColor "$e2e_work/heading.png"
  for i in 1 2 3; do
    e2e_press space 0.1
    sleep 1.5
    race_grab "192 0 256 48" "$e2e_work/heading_seen.png"
    [ "$(race_differs "$e2e_work/heading.png" "$e2e_work/heading_seen.png")" -lt 1500 ] && return 0
  done
  fail "Space after the finish did not open the record screen"
}
