#!/usr/bin/env bash
# The launcher's close box (WM_DELETE_WINDOW) means Quit: exit code -1 (255
# to the shell) and no show window, ever.
source "$(dirname "$0")/lib.sh"

start_demo launcher_close.log
win=$(wait_window "$LAUNCHER_TITLE" 30) || { kill $DEMO_PID; fail "the launcher never appeared"; }
sleep 0.5
./tests/x11-close "$win"
wait_exit_without "$SHOW_TITLE" $DEMO_PID 5 || fail "the close box did not leave the launcher"
[[ "$EXIT_CODE" == 255 ]] || fail "exit code $EXIT_CODE after closing the launcher, expected 255"
echo "ok: closing the launcher exits with -1 and opens no show"
