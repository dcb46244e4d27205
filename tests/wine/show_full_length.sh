#!/usr/bin/env bash
# Left alone, the windowed show ends by itself after 92 s of its clock with 0.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

start_exe "$DESKTOP_DEMO" show_full_length.log
choose_resolution 1280x800
uncheck_fullscreen
xdotool key Return
wait_window "$SHOW_TITLE" 60 >/dev/null || { kill $DEMO_PID; fail "the show window never appeared"; }
start=$(date +%s.%N)
wait_exit $DEMO_PID 150 || fail "the show did not end by itself"
end=$(date +%s.%N)
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE at the end of the show, expected 0"
length=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
echo "show ran ${length}s from its window to its exit"
awk -v l="$length" 'BEGIN { exit !(l >= 90.5 && l < 120) }' || fail "the show took ${length}s, expected about 92"
echo "ok: the show ends by itself with 0"
