#!/usr/bin/env bash
# The show window opens with its title and a 1280x800 client area at the
# top-left; Escape ends the show at once with exit code 0.
source "$(dirname "$0")/lib.sh"

./duskwheel >show_escape.log 2>&1 &
pid=$!
win=$(wait_window duskwheel2o13 30) || { kill $pid; fail "the show window never appeared"; }
geometry=$(xwininfo -id "$win")
grep -q "Width: 1280" <<<"$geometry" || fail "client width is not 1280: $geometry"
grep -q "Height: 800" <<<"$geometry" || fail "client height is not 800: $geometry"
grep -q "Absolute upper-left X:  0" <<<"$geometry" || fail "window is not at the left edge"
sleep 1
press "$win" Escape
wait_exit $pid 2 || fail "Escape did not end the show within a second"
rc=$EXIT_CODE
[[ "$rc" == 0 ]] || fail "exit code $rc after Escape, expected 0"
echo "ok: Escape ends the show with 0"
