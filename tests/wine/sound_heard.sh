#!/usr/bin/env bash
# Proof by ear under wine: launched as a user would, the Windows program
# plays its track through waveOut into a private PulseAudio server's null
# sink (the prefix's sound driver is pulse); a recording of the sink's
# monitor is found in the decoded track, near its start. With the server
# stopped the same launch says it plays silently, and Escape still ends it
# with 0.
source "$(dirname "$0")/lib.sh"
source "$SRC/tests/pulse.sh"
[[ -x "$BUILD/tests/sound-heard" ]] || fail "$BUILD/tests/sound-heard is not built"
scratch_folder
pulse_start
fresh_wine  # wine's sound driver reads the server's address when a program starts

# show LOG [RECORDING]: launches the show in the virtual desktop, records
# eight seconds of it (the checker takes the last six, after the monitor's
# loss when the stream starts) or lets it play for one, and ends it with Escape.
# A small window: drawn on the CPU at full size, the show leaves wine's
# sound threads too little time, and the sink hears gaps.
show() {
  start_exe "$DESKTOP_DEMO" "$1"
  choose_resolution 640x400
  uncheck_fullscreen
  xdotool key Return
  win=$(wait_window "$SHOW_TITLE" 60) || { kill $DEMO_PID; cat "$1" >&2; fail "the show window never appeared"; }
  if [[ -n "${2:-}" ]]; then pulse_record "$2" 8; else sleep 1; fi
  press "$win" Escape
  wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
  [[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after Escape, expected 0: $(cat "$1")"
}

show heard.log heard.raw
grep -q "no audio device" heard.log && fail "the show played silently with a sound server there"
found=$("$BUILD/tests/sound-heard" heard.raw Data/music.mp3) && heard=1
echo "$found"
[[ -n "${heard:-}" ]] || fail "what the sink played is not the track"
# The recording began as the show window appeared: the track plays from its start.
from=$(sed -n 's/.* starts \(-\?[0-9]*\) ms into the track.*/\1/p' <<<"$found")
((from < 10000)) || fail "the recording is from $from ms into the track, not near its start"

pulse_stop
fresh_wine
show silent.log
grep -qx "duskwheel: no audio device: playing silently" <(tr -d '\r' <silent.log) ||
  fail "no 'playing silently' line without a sound server: $(cat silent.log)"
echo "ok: the $WINARCH build is heard playing its track from its start; with no sound server it plays silently and ends with 0"
