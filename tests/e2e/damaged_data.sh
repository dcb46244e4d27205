#!/usr/bin/env bash
# A Data folder that a user has damaged. Unreadable pictures leave their
# textures empty with a line each and the show still runs; a music file that
# does not decode ends the program by itself with exit 1 and one line naming it.
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

head -c 20000 /dev/urandom >Data/music.mp3
"$BUILD/duskwheel" >music.log 2>&1 &
DEMO_PID=$!
launch_show
wait_exit $DEMO_PID 10 || fail "the program did not end on a damaged music file"
[[ "$EXIT_CODE" == 1 ]] || fail "exit code $EXIT_CODE on a damaged music file, expected 1"
grep -q "^duskwheel: the music file Data/music.mp3 " music.log || fail "no line naming the music file: $(cat music.log)"
[[ $(grep -c '^duskwheel:' music.log) == 1 ]] || fail "more than one line about the music: $(cat music.log)"
echo "ok: damaged pictures leave their textures empty, a damaged track ends the program with 1"
