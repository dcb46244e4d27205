#!/usr/bin/env bash
# Windowed at 1280x800, chosen from the keyboard: the client area is exactly
# 1280x800 with the frame at the top-left corner; Escape ends the show with 0
# within a second.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

launch_windowed windowed_show.log 1280x800
wait_window "$SHOW_TITLE" 60 >/dev/null || { kill $DEMO_PID; cat windowed_show.log >&2; fail "the show window never appeared"; }
window=$(probe --desktop window "$SHOW_TITLE")
echo "show window: $window"
[[ "$window" == "client 1280x800 at "*" frame at 0,0" ]] || fail "expected a 1280x800 client with its frame at 0,0: $window"
[[ $(probe --desktop mode) == "$DESKTOP_SIZE" ]] || fail "a windowed show changed the display mode"
sleep 1
kill -0 $DEMO_PID 2>/dev/null || fail "the show did not keep running"
press "$(wait_window "$SHOW_TITLE" 5)" Escape
wait_exit $DEMO_PID 1 || fail "Escape did not end the show within a second"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after Escape, expected 0"
echo "ok: windowed 1280x800 show, Escape ends it with 0"
