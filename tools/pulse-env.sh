# A private sound server for Wine: PulseAudio with one null sink named S, whose monitor
# source (S.monitor) records what the game plays. Source it; it defines functions only.

# Starts the server in folder $1 (made if missing) unless one answers there already; exports
# VORTA_PULSE_SERVER for the tests that play sound through it. Returns non-zero if it did not
# come up.
vorta_pulse_start() {
  local dir=$1 i
  mkdir -p "$dir"
  export VORTA_PULSE_SERVER="unix:$dir/native"
  PULSE_SERVER=$VORTA_PULSE_SERVER pactl info >/dev/null 2>&1 && return 0
  rm -f "$dir/native"
  # As root without a session: no autospawn, no user configuration, no idle exit.
  HOME=$dir XDG_RUNTIME_DIR=$dir pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --disallow-exit --use-pid-file=no --log-target=file:"$dir/log.txt" \
    --load="module-null-sink sink_name=S" \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    </dev/null >/dev/null 2>&1 &
  vorta_pulse_pid=$!
  for i in $(seq 1 50); do
    PULSE_SERVER=$VORTA_PULSE_SERVER pactl info >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

vorta_pulse_stop() {
  if [ -n "${vorta_pulse_pid:-}" ]; then
    kill "$vorta_pulse_pid" 2>/dev/null
    wait "$vorta_pulse_pid" 2>/dev/null
    vorta_pulse_pid=
  fi
}
