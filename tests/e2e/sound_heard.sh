#!/usr/bin/env bash
# Proof by ear: launched as a user would, the show plays its track into a
# private PulseAudio server's null sink; a recording of the sink's monitor
# is found in the decoded track, near its start. With the server stopped
# the same launch says it plays silently, and Escape still ends it with 0.
source "$(dirname "$0")/../pulse.sh"
source "$(dirname "$0")/lib.sh"
[[ -x tests/sound-heard ]] || fail "tests/sound-heard is not built"
pulse_start

# show LOG [RECORDING]: launches the show, records eight seconds of it (the
# checker takes the last six, after the monitor's loss when the stream
# starts) or lets it play for one, and ends it with Escape.
show() {
  start_demo "$1"
  launch_show
  win=$(wait_window "$SHOW_TITLE" 30) || { kill $DEMO_PID; cat "$1" >&2; fail "the show window never appeared"; }
  if [[ -n "${2:-}" ]]; then pulse_record "$2" 8; else sleep 1; fi
  press "$win" Escape
  wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
  [[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after Escape, expected 0: $(cat "$1")"
}

show sound_heard.log sound_heard.raw
grep -q "no audio device" sound_heard.log && fail "the show played silently with a sound server there"
found=$(tests/sound-heard sound_heard.raw Data/music.mp3) && heard=1
echo "$found"
[[ -n "${heard:-}" ]] || fail "what the sink played is not the track"
# The recording began as the show window appeared: the track plays from its start.
from=$(sed -n 's/.* starts \(-\?[0-9]*\) ms into the track.*/\1/p' <<<"$found")
((from < 10000)) || fail "the recording is from $from ms into the track, not near its start"

pulse_stop
show sound_silent.log
grep -qx "duskwheel: no audio device: playing silently" sound_silent.log ||
  fail "no 'playing silently' line without a sound server: $(cat sound_silent.log)"
echo "ok: the show is heard playing its track from its start; with no sound server it plays silently and ends with 0"
