# A private PulseAudio server for the sound tests: one null sink, "dusk",
# whose monitor can be recorded, reachable only through the socket in a
# runtime folder of its own. Sourced; its functions call fail (tests/e2e/lib.sh).
#
# pulse_start starts it and exports what clients need; pulse_stop stops it
# by its PID, as the EXIT trap does, and leaves the clients pointed at the
# socket that is now gone, so that they find no sound server at all.

# pulse_start: the server, ready for clients.
pulse_start() {
  PULSE_DIR=$(mktemp -d /tmp/duskwheel-pulse-XXXXXX)
  mkdir -m 700 "$PULSE_DIR/runtime"
  # No sound device but the sink: no other server, no ALSA definitions.
  : >"$PULSE_DIR/alsa.conf"
  export ALSA_CONFIG_PATH="$PULSE_DIR/alsa.conf"
  export XDG_RUNTIME_DIR="$PULSE_DIR/runtime"
  export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
  export PULSE_COOKIE="$PULSE_DIR/config/pulse/cookie"
  # Its cookie and state in the folder rather than the user's home; no X11
  # or D-Bus, which would start a session bus of their own.
  env -u DISPLAY HOME="$PULSE_DIR" XDG_CONFIG_HOME="$PULSE_DIR/config" DBUS_SESSION_BUS_ADDRESS=disabled: \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=file:"$PULSE_DIR/pulse.log" \
    --load="module-null-sink sink_name=dusk" --load="module-native-protocol-unix auth-anonymous=1" \
    >/dev/null 2>&1 &
  PULSE_PID=$!
  # Stopped before whatever the script had set to run at exit.
  local previous
  previous=$(trap -p EXIT)
  eval "local -a earlier=(${previous#trap --})"
  trap -- "pulse_stop; rm -rf '$PULSE_DIR'; ${earlier[0]:-}" EXIT
  for _ in $(seq 1 100); do
    [[ -S "$XDG_RUNTIME_DIR/pulse/native" ]] && pactl info >/dev/null 2>&1 && break
    kill -0 "$PULSE_PID" 2>/dev/null || fail "pulseaudio did not start: $(cat "$PULSE_DIR/pulse.log")"
    sleep 0.1
  done
  pactl info >/dev/null 2>&1 || fail "pulseaudio does not answer on $PULSE_SERVER"
  echo "pulseaudio: PID $PULSE_PID, null sink dusk, $PULSE_SERVER"
}

# pulse_record FILE SECONDS: records the sink's monitor (raw 16-bit stereo
# at 44100 Hz) until FILE holds that many seconds, or for four times as long.
pulse_record() {
  local bytes=$(($2 * 44100 * 4))
  parec --device=dusk.monitor --format=s16le --rate=44100 --channels=2 --raw >"$1" &
  RECORD_PID=$!
  for _ in $(seq 1 $(($2 * 40))); do
    (($(stat -c %s "$1") >= bytes)) && break
    sleep 0.1
  done
  pulse_record_stop
}

pulse_record_stop() {
  [[ -n "${RECORD_PID:-}" ]] || return 0
  kill "$RECORD_PID" 2>/dev/null || true
  wait "$RECORD_PID" 2>/dev/null || true
  RECORD_PID=
}

pulse_stop() {
  pulse_record_stop
  [[ -n "${PULSE_PID:-}" ]] || return 0
  kill "$PULSE_PID" 2>/dev/null || true
  wait "$PULSE_PID" 2>/dev/null || true
  PULSE_PID=
}
