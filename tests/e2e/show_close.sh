#!/usr/bin/env bash
# Closing the show window (the close box's WM_DELETE_WINDOW) ends it with 0.
source "$(dirname "$0")/lib.sh"

start_demo show_close.log
pid=$DEMO_PID
launch_show
win=$(wait_window "$SHOW_TITLE" 30) || { kill $pid; fail "the show window never appeared"; }
sleep 1
./tests/x11-close "$win"
wait_exit $pid 5 || fail "closing the window did not end the show"
rc=$EXIT_CODE
[[ "$rc" == 0 ]] || fail "exit code $rc after close, expected 0"
echo "ok: the close box ends the show with 0"
