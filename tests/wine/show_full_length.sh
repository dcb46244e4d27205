#!/usr/bin/env bash
# Left alone, the windowed show ends by itself after 92 s of its clock with 0,
# timed from its window to its exit.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

launch_windowed show_full_length.log 1280x800
wait_window "$SHOW_TITLE" 60 >/dev/null || { kill $DEMO_PID; fail "the show window never appeared"; }
expect_own_end "$(date +%s.%N)" 90.5
echo "ok: the show ends by itself with 0"
