#!/usr/bin/env bash
# SIGINT and SIGTERM, as from a terminal or a session ending: in the launcher
# they end the program like Quit (255); during the show like the close box
# (one more frame, an orderly teardown, the desktop's mode back, exit 0).
source "$(dirname "$0")/lib.sh"

desktop=$(xdpyinfo | awk '/dimensions:/ { print $2 }')
for signal in INT TERM; do
  start_demo "launcher_$signal.log"
  wait_window "$LAUNCHER_TITLE" 30 >/dev/null || { kill $DEMO_PID; fail "the launcher never appeared"; }
  kill -s $signal $DEMO_PID
  wait_exit_without "$SHOW_TITLE" $DEMO_PID 5 || fail "SIG$signal did not end the launcher"
  [[ "$EXIT_CODE" == 255 ]] || fail "exit code $EXIT_CODE after SIG$signal in the launcher, expected 255"

  start_demo "show_$signal.log"
  launch_show
  wait_window "$SHOW_TITLE" 30 >/dev/null || { kill $DEMO_PID; fail "the show window never appeared"; }
  sleep 1
  kill -s $signal $DEMO_PID
  wait_exit $DEMO_PID 5 || fail "SIG$signal did not end the show"
  [[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after SIG$signal in the show, expected 0"
  after=$(xdpyinfo | awk '/dimensions:/ { print $2 }')
  [[ "$after" == "$desktop" ]] || fail "the display is $after after SIG$signal, was $desktop"
  echo "SIG$signal: launcher 255, show 0, display $after"
done
echo "ok: SIGINT and SIGTERM end the launcher like Quit and the show like the close box"
