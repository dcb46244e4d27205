#!/usr/bin/env bash
# A Data folder that a user has damaged. Unreadable pictures leave their
# textures empty with a line each and the show still runs; a cut-short track
# plays what decodes with a line; a music file in which nothing decodes ends
# the program by itself with exit 1 and one line naming it.
source "$(dirname "$0")/lib.sh"

scratch=$(mktemp -d /tmp/duskwheel-damaged-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cp -r "$BUILD/Data" "$scratch/Data"
head -c 300 "$BUILD/Data/dwl.p" >"$scratch/Data/dwl.p"
: >"$scratch/Data/dot.p"
rm "$scratch/Data/credits.p" "$scratch/Data/overlay.p"
mkdir "$scratch/Data/credits.p"
cd "$scratch"

"$BUILD/duskwheel" >pictures.log 2>&1 &
DEMO_PID=$!
launch_show
win=$(wait_window "$SHOW_TITLE" 30) || { kill $DEMO_PID; cat pictures.log >&2; fail "the show did not start without its pictures"; }
sleep 1
kill -0 $DEMO_PID 2>/dev/null || fail "the show did not keep running"
press "$win" Escape
wait_exit $DEMO_PID 2 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE, expected 0"
for name in dwl.p dot.p credits.p; do
  grep -q "^duskwheel: Data/$name is not a PCX picture" pictures.log || fail "no line for $name: $(cat pictures.log)"
done
grep -q "overlay" pictures.log && fail "a missing picture was complained about: $(cat pictures.log)"

# The first fortieth of the track: it plays what there is with one line, and
# the show goes on past its end on its own clock.
head -c $(($(stat -c %s Data/music.mp3) / 40)) "$BUILD/Data/music.mp3" >Data/music.mp3
"$BUILD/duskwheel" >short.log 2>&1 &
DEMO_PID=$!
launch_show
win=$(wait_window "$SHOW_TITLE" 30) || { kill $DEMO_PID; cat short.log >&2; fail "the show did not start with a cut-short track"; }
sleep 4
kill -0 $DEMO_PID 2>/dev/null || fail "the show ended with its cut-short track: $(cat short.log)"
press "$win" Escape
wait_exit $DEMO_PID 2 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE with a cut-short track, expected 0"
grep -Eq "^duskwheel: the music file Data/music.mp3 is shorter than its header says; playing the 2\.[0-9] s that decode$" short.log ||
  fail "no line about the cut-short track: $(cat short.log)"
[[ $(grep -c '^duskwheel: the music' short.log) == 1 ]] || fail "more than one line about the cut-short track: $(cat short.log)"

head -c 20000 /dev/urandom >Data/music.mp3
"$BUILD/duskwheel" >music.log 2>&1 &
DEMO_PID=$!
launch_show
wait_exit $DEMO_PID 10 || fail "the program did not end on a damaged music file"
[[ "$EXIT_CODE" == 1 ]] || fail "exit code $EXIT_CODE on a damaged music file, expected 1"
grep -q "^duskwheel: the music file Data/music.mp3 " music.log || fail "no line naming the music file: $(cat music.log)"
[[ $(grep -c '^duskwheel:' music.log) == 1 ]] || fail "more than one line about the music: $(cat music.log)"
echo "ok: damaged pictures leave their textures empty, a cut-short track plays what decodes, a damaged one ends the program with 1"
