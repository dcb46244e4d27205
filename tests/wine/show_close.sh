#!/usr/bin/env bash
# A click on the show window's close box ends the show with 0.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

launch_windowed show_close.log 1280x800
wait_window "$SHOW_TITLE" 60 >/dev/null || { kill $DEMO_PID; fail "the show window never appeared"; }
sleep 1
read -r x y < <(probe --desktop closebox "$SHOW_TITLE")
xdotool mousemove "$x" "$y" click 1
wait_exit $DEMO_PID 5 || fail "the close box did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after the close box, expected 0"
echo "ok: the close box (at $x,$y) ends the show with 0"
