#!/usr/bin/env bash
# On a desktop whose size is no listed mode, nothing is preselected: Launch
# is greyed out, the focus waits in the resolution box and Enter launches
# nothing; once a resolution is chosen, Launch is back and Enter starts it.
# Typed text that is no listed resolution greys Launch out again; typed back
# to a listed one, it selects that and launches at it.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

start_exe "$ODD_DEMO" launcher_unlisted.log
launcher=$(wait_window "$LAUNCHER_TITLE" 60) || { kill $DEMO_PID; fail "the launcher dialog never appeared"; }
[[ $(probe --odd mode) == "$ODD_SIZE" ]] || fail "the desktop is $(probe --odd mode), expected $ODD_SIZE"
probe --odd modes | grep -qx "$ODD_SIZE" && fail "the driver lists $ODD_SIZE after all"
shown=$(probe --odd text "$LAUNCHER_TITLE" 1006)
[[ -z "$shown" ]] || fail "the resolution box shows '$shown' though the desktop's size is not listed"
[[ $(probe --odd control "$LAUNCHER_TITLE" 1004) == "disabled unfocused" ]] || fail "Launch is not greyed out"
[[ $(probe --odd control "$LAUNCHER_TITLE" 1006) == "enabled focused" ]] || fail "the focus is not in the resolution box"
# expect_no_launch WHAT: Enter leaves the launcher open and starts no show.
expect_no_launch() {
  press "$launcher" Return
  sleep 2
  kill -0 $DEMO_PID 2>/dev/null || fail "Enter ended the launcher $1 (exit code $(wait $DEMO_PID; echo $?))"
  xdotool search --name "^$SHOW_TITLE\$" >/dev/null 2>&1 && fail "Enter launched $1"
  return 0
}
expect_no_launch "without a resolution"
xdotool key Down
chosen=$(probe --odd text "$LAUNCHER_TITLE" 1006)
[[ -n "$chosen" ]] || fail "Down chose no resolution"
[[ $(probe --odd control "$LAUNCHER_TITLE" 1004) == "enabled unfocused" ]] || fail "Launch stayed greyed out with $chosen"
xdotool key End BackSpace
[[ $(probe --odd text "$LAUNCHER_TITLE" 1006) == "${chosen%?}" ]] || fail "typing did not reach the resolution box"
[[ $(probe --odd control "$LAUNCHER_TITLE" 1004) == "disabled unfocused" ]] || fail "Launch stayed enabled with ${chosen%?} typed"
expect_no_launch "with ${chosen%?} typed"
xdotool type "${chosen: -1}"
[[ $(probe --odd control "$LAUNCHER_TITLE" 1004) == "enabled unfocused" ]] || fail "Launch stayed greyed out with $chosen typed"
uncheck_fullscreen
xdotool key Return  # the default button
win=$(wait_window "$SHOW_TITLE" 60) || { kill $DEMO_PID; cat launcher_unlisted.log >&2; fail "no show after choosing $chosen"; }
window=$(probe --odd window "$SHOW_TITLE")
[[ "$window" == "client $chosen at "* ]] || fail "expected a $chosen client: $window"
press "$win" Escape
wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE, expected 0"
echo "ok: on a $ODD_SIZE desktop Launch waits greyed out for a resolution; $chosen launches, typed or chosen"
