#!/usr/bin/env bash
# The web build's MP3 decoder (the browser's, in headless Chromium) against
# the Linux one (libmpg123): the default track and the LAME test files that
# the Windows decoder is held to (mono with ID3 tags, VBR, no LAME tag, 48
# and 22.05 kHz through the shared resampler) decode to the same length and
# sample-aligned 16-bit PCM within two steps. Files it cannot play are
# refused with the words the show prints, and a file cut short decodes with
# its own words.
#   decoder.sh SOURCE_FOLDER (with build/linux and build/web built)
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$1" && pwd)
BUILD=$root/build/linux
fail() { echo "FAIL: $*" >&2; exit 1; }
PAGE="$root/build/web/sound-tests"
for program in "$BUILD/tests/sound-linux-pcm" "$BUILD/tests/sound-test-mp3" "$BUILD/tests/web-decoder-compare" \
  "$PAGE/decoder_page.wasm" "$BUILD/Data/music.mp3"; do
  [[ -f "$program" ]] || fail "$program is not built (make web, make data)"
done
command -v chromium >/dev/null || fail "chromium is not installed"

site=$(mktemp -d /tmp/duskwheel-web-decoder-XXXXXX)
stop() {
  for pid in ${CHROMIUM_PID:-} ${SERVER_PID:-}; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
  done
  rm -rf "$site"
}
trap stop EXIT
cd "$site"
cp "$HERE/decoder.html" "$PAGE/decoder_page.js" "$PAGE/decoder_page.wasm" .
cp "$BUILD/Data/music.mp3" .
"$BUILD/tests/sound-test-mp3" . || fail "LAME could not make the test files"
compared=(music.mp3 mono_tagged.mp3 vbr.mp3 no_lame_tag.mp3 rate48k.mp3 rate22k.mp3)
"$BUILD/tests/sound-linux-pcm" "${compared[@]}" || fail "the Linux decoder failed"

python3 "$HERE/sound_server.py" port &
SERVER_PID=$!
for _ in $(seq 1 50); do [[ -f port ]] && break; sleep 0.1; done
[[ -f port ]] || fail "the page's server did not start"
head -c $(($(stat -c %s music.mp3) / 2)) music.mp3 >cut.mp3
printf 'not an mp3. %.0s' {1..400} >text.mp3
cp text.mp3 tune.xm
: >empty.mp3
declare -A refused=([absent.mp3]="cannot be opened" [empty.mp3]="is not an MP3 that decodes"
  [text.mp3]="is not an MP3 that decodes" [cut.mp3]="is shorter than its header says" [absent.xm]="cannot be opened"
  [tune.xm]="is a tracker module, which the web build does not play")
files=$(IFS=,; echo "${compared[*]},${!refused[*]}")
files=${files// /,}
chromium --headless=new --no-sandbox --no-first-run --disable-gpu --user-data-dir="$site/profile" \
  "http://127.0.0.1:$(cat port)/decoder.html?files=$files" >chromium.log 2>&1 &
CHROMIUM_PID=$!
for _ in $(seq 1 1200); do [[ -f done ]] && break; sleep 0.1; done
[[ -f done ]] || fail "the page did not finish: $(tail -n 5 chromium.log)"
[[ $(cat done) == done ]] || fail "$(cat done)"
for file in "${compared[@]}"; do
  [[ ! -f "${file%.*}.web.why" ]] || fail "the web decoder says $file $(cat "${file%.*}.web.why")"
done
for file in "${!refused[@]}"; do
  why=$(cat "${file%.*}.web.why" 2>/dev/null || true)
  [[ "$why" == "${refused[$file]}" ]] || fail "the web decoder says $file '$why', expected '${refused[$file]}'"
  echo "ok   $file ${refused[$file]}"
done
[[ -f cut.web.f32 ]] || fail "the cut-short file gave no PCM"
"$BUILD/tests/web-decoder-compare" "${compared[@]}" || fail "the web decoder's PCM differs from the Linux decoder's"
echo "ok: the browser's decoder matches the Linux one on ${#compared[@]} files and refuses what it cannot play"
