#!/usr/bin/env bash
# The web build's sync figure and its queue under slow frames, by hand (no
# test: it measures, it does not judge), as tests/wine/sound/sync.sh measures
# the native builds: the sound page logs the play position that the show's
# spectrum uses against the wall clock while sound-sync-record logs when the
# private PulseAudio null sink played each frame it records; sound-heard
# finds the recording in the track and compares the two. Each run also says
# what the Web Audio queue went through: once with frames as fast as they
# come, once with every frame holding the main thread for 50 ms.
#
# Usage: scripts/with-xvfb tests/web/sound/sync.sh BUILD_LINUX (make web first);
# ONLY_BUSY=MS measures frames holding the main thread that long alone.
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../../pulse.sh"
source "$HERE/../../e2e/lib.sh"
PAGE="$BUILD/../web/sound-tests"
for program in "$BUILD/tests/sound-sync-record" "$BUILD/tests/sound-heard" "$PAGE/sound_page.wasm"; do
  [[ -f "$program" ]] || fail "$program is not built"
done
site=$(mktemp -d /tmp/duskwheel-web-sync-XXXXXX)
stop_site() {
  if [[ -n "${SERVER_PID:-}" ]]; then kill "$SERVER_PID" 2>/dev/null && wait "$SERVER_PID" 2>/dev/null || true; fi
  rm -rf "$site"
}
trap stop_site EXIT
cp "$HERE/sound_page.html" "$PAGE/sound_page.js" "$PAGE/sound_page.wasm" "$site/"
mkdir "$site/Data"
cp Data/music.mp3 "$site/Data/"
(cd "$site" && exec python3 "$HERE/../sound_server.py" port) &
SERVER_PID=$!
for _ in $(seq 1 50); do [[ -f "$site/port" ]] && break; sleep 0.1; done
pulse_start

# The page stamps with the wall clock, the recorder with the raw monotonic
# one: their difference, read once, turns one into the other.
wall_minus_raw=$(python3 -c 'import time; print(time.clock_gettime_ns(time.CLOCK_REALTIME) - time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW))')

# measure BUSY_MS: nine seconds recorded while the page plays.
measure() {
  rm -rf "$site/profile" "$site/positions.txt" "$site/stats.json"
  mkdir "$site/profile"
  "$BUILD/tests/sound-sync-record" 9 "$site/heard.raw" "$site/stamps.txt" &
  local recorder=$!
  chromium --no-sandbox --no-first-run --no-default-browser-check --disable-gpu --password-store=basic \
    --user-data-dir="$site/profile" --window-size=640,400 \
    --app="http://127.0.0.1:$(cat "$site/port")/sound_page.html?busy=$1" >"$site/chromium.log" 2>&1 &
  DEMO_PID=$!
  launch_show
  wait $recorder || fail "the recorder failed"
  press "$(wait_window "$SHOW_TITLE" 5)" Escape
  wait_exit "$DEMO_PID" 10 || fail "Escape did not end the page"
  awk -v d="$wall_minus_raw" '{ printf "%.0f %s\n", $1 - d, $2 }' "$site/positions.txt" >"$site/raw_positions.txt"
  echo "== frames holding the main thread for $1 ms"
  "$BUILD/tests/sound-heard" "$site/heard.raw" Data/music.mp3 "$site/stamps.txt" "$site/raw_positions.txt" || true
  echo "queue: $(cat "$site/stats.json")"
}
measure ${ONLY_BUSY:-0}
[[ -n "${ONLY_BUSY:-}" ]] || measure 50
