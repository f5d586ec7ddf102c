# Shared by the scripts that run vorta under Wine: the private prefix and a private X server.
# Source it; it defines functions only.

vorta_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The prefix lives in the build folder so that a clean clone never touches ~/.wine.
: "${VORTA_WINEPREFIX:=$vorta_root/build/wineprefix}"
export WINEPREFIX=$VORTA_WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
# Mono and Gecko installers would pop up dialogs nobody can answer in Xvfb.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64
# Mesa's software rasteriser otherwise hands every draw to worker threads of its own, which
# on two cores fight the game's thread, wined3d's and the X server for the CPU: race frames
# measured up to 40 ms (sum of lateness 17-105 ms a race) with them, at most 24 ms (5-19 ms)
# drawing in the calling thread. The pictures are the same either way.
export LP_NUM_THREADS=${LP_NUM_THREADS:-0}

# Makes the prefix once; concurrent callers wait for the first one.
vorta_wine_prefix_init() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.vorta-ready-2" ]; then
      rm -rf "$WINEPREFIX"
      # Made on an X server of its own with the ordinary desktop size: the display settings
      # Wine records at its first start must not be those of some test's 640x480 screen.
      vorta_xvfb_start 1024x768x24
      wineboot -i </dev/null >/dev/null 2>&1
      wineserver -w
      # The option screen asks GDI for this face; Wine has no MS fonts, so name a free
      # Japanese face in its place, as a Japanese Windows would find the real one.
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'ＭＳ Ｐゴシック' /d 'VL PGothic' /f </dev/null >/dev/null 2>&1
      # wined3d's command-stream thread spins while it waits for work: with it the game
      # measured over a whole core and frames 1.5 ms late at the 99th percentile on two cores;
      # without it 24 % of a core and 0.03 ms.
      wine reg add 'HKCU\Software\Wine\Direct3D' /v csmt /t REG_DWORD /d 0 /f \
        </dev/null >/dev/null 2>&1
      wineserver -w
      vorta_xvfb_stop
      touch "$WINEPREFIX/.vorta-ready-2"
    fi
  ) 9>"$WINEPREFIX.lock"
  # Start the server detached from our pipes, so that nothing waits on its output.
  wineserver </dev/null >/dev/null 2>&1 || true
}

# Ends every program of the prefix and its server. Wine's own background programs (the
# desktop among them) hold on to the X server they started with; the next run, on another
# X server, must not meet them half-dead.
vorta_wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
}

# Waits up to 30 s for the game's window on DISPLAY; prints its id (nothing if it never came).
vorta_wait_window() {
  local i window
  for i in $(seq 1 150); do
    window=$(xdotool search --name '^vorta ~Mark Q~ Ver0\.75$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && { echo "$window"; return 0; }
    sleep 0.2
  done
  return 0
}

# Starts Xvfb on a free display; sets DISPLAY and vorta_xvfb_pid.
# $1: screen geometry, default 1024x768x24.
vorta_xvfb_start() {
  local geometry=${1:-1024x768x24} fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset -r 3>"$fdfile" </dev/null >/dev/null 2>&1 &
  vorta_xvfb_pid=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  [ "$DISPLAY" != ":" ]
}

vorta_xvfb_stop() {
  if [ -n "${vorta_xvfb_pid:-}" ]; then
    kill "$vorta_xvfb_pid" 2>/dev/null
    wait "$vorta_xvfb_pid" 2>/dev/null
    vorta_xvfb_pid=
  fi
}
