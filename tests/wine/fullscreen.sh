#!/usr/bin/env bash
# Fullscreen at another mode than the desktop's, in a virtual desktop where
# wine can change it: the display takes the chosen mode for the show and has
# the desktop's back afterwards. (On a display that refuses the mode, the
# Windows unit tests check the one line, the false result and the untouched mode.)
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

# Something else on the desktop keeps it alive after the show, so that its
# mode can be read then.
"$WINE" "$DESKTOP_PROBE" hold 120 >/dev/null 2>&1 &
holder=$!
start_exe "$DESKTOP_DEMO" fullscreen.log
choose_resolution 1280x800
xdotool key Return
wait_window "$SHOW_TITLE" 60 >/dev/null || { kill $DEMO_PID; cat fullscreen.log >&2; fail "the fullscreen show never appeared"; }
sleep 1
during=$(probe --desktop mode)
window=$(probe --desktop window "$SHOW_TITLE")
echo "during the show: mode $during, $window"
[[ "$during" == 1280x800 ]] || fail "the display mode is $during during the show, expected 1280x800"
[[ "$window" == "client 1280x800 at 0,0 frame at 0,0" ]] || fail "the fullscreen window is not the whole display: $window"
press "$(wait_window "$SHOW_TITLE" 5)" Escape
wait_exit $DEMO_PID 5 || fail "Escape did not end the fullscreen show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after Escape, expected 0"
after=$(probe --desktop mode)
kill $holder 2>/dev/null || true
[[ "$after" == "$DESKTOP_SIZE" ]] || fail "the display mode is $after after the show, expected $DESKTOP_SIZE back"
echo "ok: fullscreen at 1280x800, and $after back afterwards"
