#!/usr/bin/env bash
# A damaged or missing Data folder, as in the Linux tests: unreadable pictures
# get a line each and the show runs; a music file that does not decode, or no
# Data folder at all, ends the program with exit 1 and one line naming the file.
# Fullscreen at the desktop's mode, in the virtual desktop that allows it.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

head -c 300 "$BUILD/Data/dwl.p" >Data/dwl.p
: >Data/dot.p
rm Data/credits.p Data/overlay.p
mkdir Data/credits.p
start_exe "$DESKTOP_DEMO" pictures.log
launch_show
win=$(wait_window "$SHOW_TITLE" 60) || { kill $DEMO_PID; cat pictures.log >&2; fail "the show did not start without its pictures"; }
sleep 1
kill -0 $DEMO_PID 2>/dev/null || fail "the show did not keep running"
press "$win" Escape
wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE, expected 0"
tr -d '\r' <pictures.log >pictures.txt
for name in dwl.p dot.p credits.p; do
  grep -q "^duskwheel: Data/$name is not a PCX picture" pictures.txt || fail "no line for $name: $(cat pictures.txt)"
done
grep -q "overlay" pictures.txt && fail "a missing picture was complained about: $(cat pictures.txt)"

# expect_music_failure LOG: the launched program ends by itself with 1 and one line about the music.
expect_music_failure() {
  start_exe "$DESKTOP_DEMO" "$1"
  launch_show
  wait_exit $DEMO_PID 20 || fail "the program did not end on $1"
  [[ "$EXIT_CODE" == 1 ]] || fail "exit code $EXIT_CODE on $1, expected 1"
  tr -d '\r' <"$1" >"$1.txt"
  grep -q "^duskwheel: the music file Data/music.mp3 " "$1.txt" || fail "no line naming the music file: $(cat "$1.txt")"
  [[ $(grep -c '^duskwheel:' "$1.txt") == 1 ]] || fail "more than one line about the music: $(cat "$1.txt")"
  echo "$1: $(grep '^duskwheel:' "$1.txt")"
}
head -c 20000 /dev/urandom >Data/music.mp3
expect_music_failure damaged-music.log
rm -rf Data
expect_music_failure no-data.log
echo "ok: damaged pictures leave their textures empty; a damaged track or no Data ends the program with 1"
