#!/usr/bin/env bash
# Left alone, the show ends by itself after 92 seconds with exit code 0.
source "$(dirname "$0")/lib.sh"

start_demo show_full_length.log
launch_show
start=$(date +%s.%N)
wait_window "$SHOW_TITLE" 30 >/dev/null || { kill $DEMO_PID; fail "the show window never appeared"; }
expect_own_end "$start" 91.5
echo "ok: the show ends by itself with 0"
