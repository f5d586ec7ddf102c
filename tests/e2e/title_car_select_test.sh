#!/usr/bin/env bash
# The game opens on the banner alone, then the menu; 0-400 m leads to the car select screen,
# and Esc comes back to a title that is complete at once. In a window, then in full screen.
# (What the screens show is guarded by the golden pictures, their keys by the core tests.)
source "$(dirname "$0")/lib.sh"

shot() { e2e_picture "$e2e_work/$1.png"; }

# Number of colours in the rectangle W H X Y of a picture.
colours() {
  convert "$e2e_work/$1.png" -crop "${2}x${3}+${4}+${5}" +repage -unique-colors -format '%w' info:
}

# Pixels that differ between two pictures in the rectangle W H X Y.
differ() {
  convert "$e2e_work/$1.png" -crop "${3}x${4}+${5}+${6}" +repage "$e2e_work/differ_a.png"
  convert "$e2e_work/$2.png" -crop "${3}x${4}+${5}+${6}" +repage "$e2e_work/differ_b.png"
  compare -metric AE "$e2e_work/differ_a.png" "$e2e_work/differ_b.png" null: 2>&1 | cut -d' ' -f1
}

menu=(304 160 168 230)
logo=(640 190 0 40)

# Screen dumps as fast as they come until the menu is up, looked at afterwards, so that the
# one second of the banner alone cannot fall between two slow looks.
watch_opening() {
  local where=$1 i n=0 banner=""
  for i in $(seq 1 120); do
    xwd -root -silent >"$e2e_work/opening$i.xwd"
    n=$i
    if [ $((i % 4)) = 0 ]; then
      convert "$e2e_work/opening$i.xwd" -crop "640x480+$cx+$cy" +repage "$e2e_work/probe.png"
      [ "$(colours probe "${menu[@]}")" -gt 1 ] && break
    fi
  done
  for i in $(seq 1 "$n"); do
    convert "$e2e_work/opening$i.xwd" -crop "640x480+$cx+$cy" +repage "$e2e_work/$where-opening.png"
    if [ "$(colours "$where-opening" 304 80 168 390)" -gt 1 ]; then
      banner=$i
      break
    fi
  done
  [ -n "$banner" ] || fail "$where: no banner"
  [ "$(colours "$where-opening" "${logo[@]}")" -eq 1 ] || fail "$where: the logo came with the banner"
  [ "$(colours "$where-opening" "${menu[@]}")" -eq 1 ] || fail "$where: the menu came with the banner"
  rm -f "$e2e_work"/opening*.xwd
}

run_screens() {
  local w=$1
  watch_opening "$w"
  sleep 0.3
  shot "$w-menu"
  [ "$(colours "$w-menu" "${menu[@]}")" -gt 1 ] || fail "$w: the menu did not come up"

  e2e_press space
  sleep 1.5
  shot "$w-cars"
  [ "$(differ "$w-menu" "$w-cars" 640 480 0 0)" -gt 10000 ] || fail "$w: no car select screen after 0-400 m"
  e2e_press Escape
  sleep 0.3
  shot "$w-back"
  [ "$(differ "$w-menu" "$w-back" "${menu[@]}")" -eq 0 ] || fail "$w: the title is not complete at once after Esc"
  e2e_alt_f4
  e2e_wait_exit 5
}

# In a window on a 24-bit desktop.
e2e_setup 1024x768x24
printf '[VORTA]\r\nWINDOW=1\r\n' >"$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
read -r cx cy <<<"$(e2e_wait_client)"
[ -n "${cy:-}" ] || fail "no 640x480 client area in the window"
run_screens window
vorta_xvfb_stop

# In full screen, on the desktop that can show the 640x480x16 mode.
vorta_xvfb_start 640x480x16 || fail "Xvfb did not start"
rm -f "$e2e_work/vorta.ini"
e2e_start
e2e_wait_window
cx=0
cy=0
run_screens full
