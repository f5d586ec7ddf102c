# A driver for the end-to-end races: clutch and first gear at the line, the launch on the go
# lamp, two shifts up, full throttle to the line. Source it after lib.sh.
#
# The lever starts in the middle neutral cell; first gear is up-left, second down-left, third
# up in the middle column. Gear moves need the clutch (left Ctrl) held.

# The clock's digits: "x y w h" of the time in the digital style, and of the time text in the
# dial style.
race_clock_digital="43 89 168 48"
race_clock_dial="280 66 110 32"

race_crop() {
  local shot=$1 region=$2 out=$3 x y w h
  read -r x y w h <<<"$region"
  convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$out"
}

# Waits (up to $2 s) for the race clock in region $1 to start running: the go lamp.
race_wait_for_go() {
  local region=$1 limit=${2:-15} i reference="$e2e_work/clock0.png" now="$e2e_work/clock.png"
  e2e_picture "$e2e_work/race0.png"
  race_crop "$e2e_work/race0.png" "$region" "$reference"
  for i in $(seq 1 $((limit * 4))); do
    e2e_picture "$e2e_work/race.png"
    race_crop "$e2e_work/race.png" "$region" "$now"
    [ "$(compare -metric AE -fuzz 10% "$reference" "$now" null: 2>&1 | cut -d' ' -f1)" -gt 40 ] &&
      return 0
    sleep 0.1
  done
  fail "the race clock did not start within $limit s"
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
  sleep 0.05
  e2e_keys "$@"
  e2e_key_up Control_L
  e2e_key_down Alt_L
}

# A whole run from the first race frame: waits for go in the clock region $1, then drives
# until $2 seconds after the launch; $3 "fourth" shifts once more, for the long course.
race_drive() {
  local region=$1 seconds=$2 gears=${3:-third}
  sleep 1.5
  race_into_first
  e2e_key_down Alt_L
  race_wait_for_go "$region"
  e2e_key_up Control_L
  sleep 2.4
  race_shift Down Down
  sleep 3.2
  race_shift Up Right Up
  if [ "$gears" = fourth ]; then
    sleep 5
    race_shift Down Down
  fi
  sleep "$seconds"
  e2e_key_up Alt_L
}
