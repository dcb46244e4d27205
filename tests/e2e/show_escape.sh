#!/usr/bin/env bash
# Return in the launcher launches the show at the preselected desktop
# resolution: a 1920x1200 window at the top-left, and the launcher gone.
# Escape then ends the show at once with exit code 0.
source "$(dirname "$0")/lib.sh"

start_demo show_escape.log
launch_show
win=$(wait_window "$SHOW_TITLE" 30) || { kill $DEMO_PID; fail "the show window never appeared"; }
xdotool search --name "^${LAUNCHER_TITLE}\$" >/dev/null 2>&1 && fail "the launcher window is still there"
geometry=$(xwininfo -id "$win")
grep -q "Width: 1920" <<<"$geometry" || fail "client width is not 1920: $geometry"
grep -q "Height: 1200" <<<"$geometry" || fail "client height is not 1200: $geometry"
grep -q "Absolute upper-left X:  0" <<<"$geometry" || fail "window is not at the left edge"
sleep 1
kill -0 $DEMO_PID 2>/dev/null || fail "the show did not keep running"
press "$win" Escape
wait_exit $DEMO_PID 2 || fail "Escape did not end the show within a second"
rc=$EXIT_CODE
[[ "$rc" == 0 ]] || fail "exit code $rc after Escape, expected 0"
echo "ok: Return launches the show, Escape ends it with 0"
