#!/usr/bin/env bash
# The sync figure, by hand (no test: it measures, it does not judge): how far
# the play position that the show's spectrum uses is from what is heard, for
# the Linux build and for the Windows build under wine. Each player logs its
# position against the raw monotonic clock while a recorder logs when the
# private PulseAudio null sink played each frame it records; sound-heard
# finds the recording in the track and compares the two.
#
# Usage: scripts/with-xvfb tests/wine/sound/sync.sh SRC BUILD_LINUX
source "$(dirname "$0")/../lib.sh"
source "$SRC/tests/pulse.sh"
for program in sound-sync-play sound-sync-record sound-heard; do
  [[ -x "$BUILD/tests/$program" ]] || fail "$BUILD/tests/$program is not built"
done
[[ -f "$WINBUILD/sound-sync-play.exe" ]] || fail "$WINBUILD/sound-sync-play.exe is not built"
scratch_folder
cp "$WINBUILD/sound-sync-play.exe" .
pulse_start
fresh_wine

# measure NAME PLAYER...: nine seconds recorded while the player plays.
measure() {
  local name=$1
  shift
  "$BUILD/tests/sound-sync-record" 9 "$name.raw" "$name.stamps" &
  local recorder=$!
  "$@" Data/music.mp3 11 "$name.positions" 2>/dev/null &
  local player=$!
  wait $recorder || fail "the recorder failed"
  wait $player || fail "the $name player failed"
  echo "== $name"
  "$BUILD/tests/sound-heard" "$name.raw" Data/music.mp3 "$name.stamps" "$name.positions" || true
}
measure linux "$BUILD/tests/sound-sync-play"
measure "wine-$WINARCH" "$WINE" sound-sync-play.exe
