#!/usr/bin/env bash
# The launcher dialog appears with the desktop's mode preselected; Escape ends
# the program with -1 (255) and no show window ever appears.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

start_exe duskwheel.exe launcher_escape.log
launcher=$(wait_window "$LAUNCHER_TITLE" 60) || { kill $DEMO_PID; fail "the launcher dialog never appeared"; }
desktop=$(probe mode)
shown=$(probe text "$LAUNCHER_TITLE" 1006)
[[ "$shown" == "$desktop" ]] || fail "the resolution box shows '$shown', not the desktop's $desktop"
launch=$(probe control "$LAUNCHER_TITLE" 1004)
[[ "$launch" == "enabled focused" ]] || fail "Launch is $launch, expected enabled and focused"
press "$launcher" Escape
wait_exit_without "$SHOW_TITLE" $DEMO_PID 10 || fail "Escape did not end the program"
[[ "$EXIT_CODE" == 255 ]] || fail "exit code $EXIT_CODE after Escape, expected 255"
echo "ok: the dialog preselects $desktop; Escape ends it with 255 and no show"
