#!/usr/bin/env bash
# The player's command line: --help and --version, wrong options (one line,
# the usage, exit 2, no window), --play without the launcher from part way
# through, and --data from another folder; a word that is no option is said
# and passed over.
source "$(dirname "$0")/lib.sh"

./duskwheel --help >help.txt || fail "--help did not exit 0"
grep -q "^usage: duskwheel " help.txt || fail "--help printed no usage: $(cat help.txt)"
[[ $(./duskwheel --version) == "duskwheel 2.0" ]] || fail "--version printed '$(./duskwheel --version)'"

for args in "--bogus" "--play --size 800x600" "--windowed" "--play --aspect 3:2" "--play --from 92000"; do
  rc=0
  # shellcheck disable=SC2086
  ./duskwheel $args >wrong.out 2>wrong.err || rc=$?
  [[ "$rc" == 2 ]] || fail "'$args' exited with $rc, expected 2"
  [[ $(grep -c '^duskwheel: ' wrong.err) == 1 ]] || fail "'$args' did not say one line: $(cat wrong.err)"
  grep -q "^usage: duskwheel " wrong.err || fail "'$args' printed no usage"
done

scratch=$(mktemp -d /tmp/duskwheel-options-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"  # no Data here: it comes from --data
# A window needs no display mode: 800x600 is none here, yet the window opens at that size.
"$BUILD/duskwheel" --play "dropped song.mp3" --windowed --size 800x600 --mute --from 60000 --data "$BUILD/Data" >play.log 2>&1 &
DEMO_PID=$!
win=$(wait_window "$SHOW_TITLE" 30) || { kill $DEMO_PID; cat play.log >&2; fail "--play showed no show window"; }
xdotool search --name "^${LAUNCHER_TITLE}\$" >/dev/null 2>&1 && fail "--play showed the launcher"
size=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
[[ "$size" == 800x600 ]] || fail "the window is $size, not 800x600"
sleep 1
kill -0 $DEMO_PID 2>/dev/null || fail "the show did not keep running: $(cat play.log)"
press "$win" Escape
wait_exit $DEMO_PID 2 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE, expected 0"
[[ $(grep -c ignoring play.log) == 1 ]] && grep -qx 'duskwheel: ignoring "dropped song.mp3" on the command line' play.log ||
  fail "the stray word was not said once: $(cat play.log)"

"$BUILD/duskwheel" --play --windowed --data "$scratch/nowhere" >missing.log 2>&1 &
DEMO_PID=$!
wait_exit $DEMO_PID 20 || fail "a missing --data folder did not end the program"
[[ "$EXIT_CODE" == 1 ]] || fail "exit code $EXIT_CODE for a missing --data folder, expected 1"
grep -q "^duskwheel: the music file $scratch/nowhere/music.mp3 " missing.log || fail "no line naming the file: $(cat missing.log)"
echo "ok: --help, --version, wrong options exit 2, --play skips the launcher past a stray word and opens a window of an unlisted size, --data reads another folder"
