#!/usr/bin/env bash
# Left alone, the show ends by itself after 92 seconds with exit code 0.
source "$(dirname "$0")/lib.sh"

start_demo show_full_length.log
pid=$DEMO_PID
launch_show
start=$(date +%s.%N)
wait_window "$SHOW_TITLE" 30 >/dev/null || { kill $pid; fail "the show window never appeared"; }
wait_exit $pid 150 || fail "the show did not end by itself"
rc=$EXIT_CODE
end=$(date +%s.%N)
[[ "$rc" == 0 ]] || fail "exit code $rc at the end of the show, expected 0"
length=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
echo "show ran ${length}s"
awk -v l="$length" 'BEGIN { exit !(l >= 91.5 && l < 120) }' || fail "the show took ${length}s, expected about 92"
echo "ok: the show ends by itself with 0"
