#!/usr/bin/env bash
# Double-clicked from Explorer the program has no standard error. A failure
# then shows its lines in a message box instead of the program just vanishing;
# a Quit, the user's own choice, shows none.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

# Started the way Explorer starts it: through the shell, with no standard
# handles, here with a file dropped onto it. Quit is no failure: what was
# said about the file shows no box.
"$WINE" start /wait /unix "$SCRATCH/duskwheel.exe" "$SCRATCH/dropped.mp3" >quit.log 2>&1 &
DEMO_PID=$!
launcher=$(wait_window "$LAUNCHER_TITLE" 60) || fail "the launcher never appeared"
press "$launcher" Escape
wait_exit_without duskwheel $DEMO_PID 10 || fail "Escape did not end the program"
[[ "$EXIT_CODE" == 255 ]] || fail "exit code $EXIT_CODE after Escape, expected 255"

rm -rf Data
"$WINE" start /wait /unix "$SCRATCH/duskwheel.exe" "$SCRATCH/dropped.mp3" >start.log 2>&1 &
DEMO_PID=$!
# Windowed, so the missing music is what fails, whatever the server makes
# of fullscreen modes.
launcher=$(wait_window "$LAUNCHER_TITLE" 60) || fail "the launcher never appeared"
xdotool windowfocus --sync "$launcher" 2>/dev/null || true
xdotool key Tab Tab
uncheck_fullscreen
xdotool key Return
box=$(wait_window duskwheel 30) || { kill $DEMO_PID; fail "no message box appeared"; }
sleep 0.5
text=$(probe text duskwheel 65535)  # a message box's text is its static control 0xFFFF
grep -q "^duskwheel: the music file Data/music.mp3 cannot be opened" <<<"$text" || fail "the box says '$text'"
grep -q '^duskwheel: ignoring ".*dropped.mp3" on the command line' <<<"$text" || fail "the box leaves out the dropped file: '$text'"
kill -0 $DEMO_PID 2>/dev/null || fail "the program ended before the box was answered"
press "$box" Return
wait_exit $DEMO_PID 10 || fail "the program did not end once the box was answered"
[[ "$EXIT_CODE" == 1 ]] || fail "exit code $EXIT_CODE, expected 1"
echo "ok: without standard error a Quit shows no box; the failure is shown in a message box, exit 1"
