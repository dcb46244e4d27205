#!/usr/bin/env bash
# A damaged or missing Data folder, as in the Linux tests: unreadable pictures
# get a line each and the show runs; a cut-short track plays what decodes with
# a line; a music file in which nothing decodes, or no Data folder at all, ends
# the program with exit 1 and one line naming the file.
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
# The first fortieth of the track plays with one line, and the show goes on
# past its end on its own clock.
head -c $(($(stat -c %s "$BUILD/Data/music.mp3") / 40)) "$BUILD/Data/music.mp3" >Data/music.mp3
start_exe "$DESKTOP_DEMO" short.log
launch_show
win=$(wait_window "$SHOW_TITLE" 60) || { kill $DEMO_PID; cat short.log >&2; fail "the show did not start with a cut-short track"; }
sleep 4
kill -0 $DEMO_PID 2>/dev/null || fail "the show ended with its cut-short track: $(cat short.log)"
press "$win" Escape
wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE with a cut-short track, expected 0"
tr -d '\r' <short.log >short.txt
grep -Eq "^duskwheel: the music file Data/music.mp3 is shorter than its header says; playing the 2\.[0-9] s that decode$" short.txt ||
  fail "no line about the cut-short track: $(cat short.txt)"
[[ $(grep -c '^duskwheel: the music' short.txt) == 1 ]] || fail "more than one line about the cut-short track: $(cat short.txt)"
echo "short.log: $(grep '^duskwheel: the music' short.txt)"

head -c 20000 /dev/urandom >Data/music.mp3
expect_music_failure damaged-music.log
rm -rf Data
expect_music_failure no-data.log
echo "ok: damaged pictures leave their textures empty; a cut-short track plays what decodes; a damaged track or no Data ends the program with 1"
