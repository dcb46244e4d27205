#!/usr/bin/env bash
# Proof by ear in the browser: the show's music, decoded by the browser and
# mixed by the sound layer, plays through Web Audio into a private
# PulseAudio server's null sink once Launch is pressed with the keyboard (the
# user gesture a browser wants before it makes a sound); a recording of the
# sink's monitor is found in the decoded track, near its start, and Escape
# ends it. A browser without Web Audio plays silently on the native silent
# clock, with the native line. Chromium runs as a window on the test's X server, so that xdotool
# types into it as into the native program.
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/../pulse.sh"
source "$HERE/../e2e/lib.sh"
PAGE="$BUILD/tests/web-sound"
[[ -f "$PAGE/sound_page.wasm" ]] || fail "$PAGE/sound_page.wasm is not built (emscripten missing when the build was configured?)"
command -v chromium >/dev/null || fail "chromium is not installed"

site=$(mktemp -d /tmp/duskwheel-web-sound-XXXXXX)
trap 'stop_site' EXIT
stop_site() {
  if [[ -n "${SERVER_PID:-}" ]]; then kill "$SERVER_PID" 2>/dev/null && wait "$SERVER_PID" 2>/dev/null || true; fi
  rm -rf "$site"
}
cp "$HERE/sound_page.html" "$PAGE/sound_page.js" "$PAGE/sound_page.wasm" "$site/"
mkdir "$site/Data" "$site/profile"
cp Data/music.mp3 "$site/Data/"
(cd "$site" && exec python3 "$HERE/sound_server.py" port) &
SERVER_PID=$!
for _ in $(seq 1 50); do [[ -f "$site/port" ]] && break; sleep 0.1; done
[[ -f "$site/port" ]] || fail "the page's server did not start"

launch_program() {
  chromium --no-sandbox --no-first-run --no-default-browser-check --disable-gpu --password-store=basic \
    --user-data-dir="$site/profile" --enable-logging=stderr --window-size=640,400 \
    --app="http://127.0.0.1:$(cat "$site/port")/sound_page.html${QUERY:-}" >"$1" 2>&1 &
  DEMO_PID=$!
  launch_show
}
WINDOW_LIMIT=30

pulse_start
check_heard
[[ -f "$site/lines.txt" ]] || fail "the page sent nothing back after Escape"
! grep -q "playing silently" "$site/lines.txt" || fail "the page played silently: $(cat "$site/lines.txt")"
rm -f "$site/lines.txt" "$site/positions.txt"
rm -rf "$site/profile" && mkdir "$site/profile"
QUERY=?noaudio play_show silent.log
grep -qx "duskwheel: no audio device: playing silently" "$site/lines.txt" ||
  fail "no 'playing silently' line without Web Audio: $(cat "$site/lines.txt")"
last=$(tail -n 1 "$site/positions.txt" | cut -d' ' -f2)
((last > 0)) || fail "the silent clock did not run: the last position read is $last"
echo "ok: the browser plays the show's track from its start through Web Audio, Launch pressed with the keyboard; without Web Audio it plays on silently"
