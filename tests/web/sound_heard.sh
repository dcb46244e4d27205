#!/usr/bin/env bash
# web-sound_heard: proof by ear in the browser. The show's page, Launch
# pressed with the keyboard, plays the track (decoded by the browser, mixed
# by the sound layer) through Web Audio into a private PulseAudio server's
# null sink; a recording of the sink's monitor is found in the decoded
# track, near its start, and Escape ends the show. A browser without Web
# Audio shows the native line and plays on the silent clock. Ten launches
# play their first 5 s without the queue running dry. Seeked to 60 s by the
# position bar and paused, picture and music hold; played on, the music is
# heard from 60 s.
#   sound_heard.sh SOURCE_FOLDER (with build/linux and build/web/site built)
set -euo pipefail
root=$(cd "$1" && pwd)
HERE=$root/tests/web
BUILD=$root/build/linux
web=$root/build/web/site
fail() { echo "FAIL: $*" >&2; exit 1; }
[[ -f $web/duskwheel.wasm && -f $web/Data/music.mp3 ]] || fail "$web is not built (make web)"
[[ -x $BUILD/tests/sound-heard ]] || fail "$BUILD/tests/sound-heard is not built"

source "$HERE/serve.sh"
start_server "$web"
scratch=$(mktemp -d /tmp/duskwheel-web-heard-XXXXXX)
stop_all() {
  if [[ -n "${NODE_PID:-}" ]]; then kill "$NODE_PID" 2>/dev/null && wait "$NODE_PID" 2>/dev/null || true; fi
  kill "$SERVER_PID" 2>/dev/null && wait "$SERVER_PID" 2>/dev/null || true
  rm -rf "$scratch" "$SERVER_LOG"
}
trap stop_all EXIT
source "$root/tests/pulse.sh"
pulse_start

# play MODE: the show launched, recorded (heard) or left for a second
# (silent), and ended with Escape.
play() {
  rm -f "$scratch/showing" "$scratch/recorded" "$scratch/messages.txt"
  node "$HERE/sound_heard.js" "$SERVER_URL" "$scratch" "$1" >"$scratch/$1.log" 2>&1 &
  NODE_PID=$!
  for _ in $(seq 1 900); do
    [[ -f $scratch/showing ]] || ! kill -0 "$NODE_PID" 2>/dev/null && break
    sleep 0.1
  done
  [[ -f $scratch/showing ]] || fail "the show did not start: $(cat "$scratch/$1.log")"
  if [[ $1 != silent ]]; then pulse_record "$scratch/$1.raw" 8; else sleep 1; fi
  touch "$scratch/recorded"
  wait "$NODE_PID" || fail "$(cat "$scratch/$1.log")"
  NODE_PID=
}

play heard
grep -q "no audio device" "$scratch/messages.txt" && fail "the page played silently: $(cat "$scratch/messages.txt")"
found=$("$BUILD/tests/sound-heard" "$scratch/heard.raw" "$web/Data/music.mp3") || fail "what the sink played is not the track: $found"
echo "$found"
echo "the Web Audio queue: $(cat "$scratch/queue.json")"
from=$(sed -n 's/.* starts \(-\?[0-9]*\) ms into the track.*/\1/p' <<<"$found")
((from < 10000)) || fail "the recording is from $from ms into the track, not near its start"

node "$HERE/sound_heard.js" "$SERVER_URL" "$scratch" starts || fail "a start had a gap in its music"

# Seeked to 60 s and paused a second, the music plays on from 60 s.
play seek
cat "$scratch/seek.log"
found=$("$BUILD/tests/sound-heard" "$scratch/seek.raw" "$web/Data/music.mp3") || fail "after the seek the sink played no part of the track: $found"
echo "$found"
from=$(sed -n 's/.* starts \(-\?[0-9]*\) ms into the track.*/\1/p' <<<"$found")
((from >= 59500 && from < 66000)) || fail "after the seek to 60 s the recording is from $from ms into the track"

play silent
grep -qx "duskwheel: no audio device: playing silently" "$scratch/messages.txt" ||
  fail "no 'playing silently' line without Web Audio: $(cat "$scratch/messages.txt")"
echo "ok: Launch pressed with the keyboard plays the show's track from its start through Web Audio; without Web Audio the page says it plays silently, and Escape ends the show either way"
