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

# The checks by ear that the Linux and the Windows programs share. The caller
# defines launch_program LOG (the program started in the background, PID in
# DEMO_PID, and its show launched) and WINDOW_LIMIT.

# play_show LOG [RECORDING]: records eight seconds of the show (the checker
# takes the last six, after the monitor's loss when the stream starts) or
# lets it play for one, and ends it with Escape.
play_show() {
  local win
  launch_program "$1"
  win=$(wait_window "$SHOW_TITLE" "$WINDOW_LIMIT") || { kill $DEMO_PID; cat "$1" >&2; fail "the show window never appeared"; }
  if [[ -n "${2:-}" ]]; then pulse_record "$2" 8; else sleep 1; fi
  press "$win" Escape
  wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
  [[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after Escape, expected 0: $(cat "$1")"
}

# check_heard: with the server running, what the sink played is the track,
# from near its start.
check_heard() {
  local found heard=
  [[ -x "$BUILD/tests/sound-heard" ]] || fail "$BUILD/tests/sound-heard is not built"
  play_show heard.log heard.raw
  grep -q "no audio device" heard.log && fail "the show played silently with a sound server there"
  found=$("$BUILD/tests/sound-heard" heard.raw Data/music.mp3) && heard=1
  echo "$found"
  [[ -n "$heard" ]] || fail "what the sink played is not the track"
  # The recording began as the show window appeared: the track plays from its start.
  local from
  from=$(sed -n 's/.* starts \(-\?[0-9]*\) ms into the track.*/\1/p' <<<"$found")
  ((from < 10000)) || fail "the recording is from $from ms into the track, not near its start"
}

# check_silent: with the server stopped, the show says it plays silently and
# still ends with 0.
check_silent() {
  play_show silent.log
  grep -qx "duskwheel: no audio device: playing silently" <(tr -d '\r' <silent.log) ||
    fail "no 'playing silently' line without a sound server: $(cat silent.log)"
}
