#!/usr/bin/env bash
# The launcher opens as a small fixed-size window centred on the screen.
# Escape leaves it: exit code -1 (255 to the shell) and no show window, ever.
source "$(dirname "$0")/lib.sh"

start_demo launcher_escape.log
win=$(wait_window "$LAUNCHER_TITLE" 30) || { kill $DEMO_PID; fail "the launcher never appeared"; }
eval "$(xdotool getwindowgeometry --shell "$win")"
(( WIDTH < 1000 && HEIGHT < 400 )) || fail "the launcher is ${WIDTH}x${HEIGHT}, not a small dialog"
(( X + WIDTH / 2 - 960 <= 1 && 960 - X - WIDTH / 2 <= 1 )) || fail "the launcher is not centred across (x $X)"
(( Y + HEIGHT / 2 - 600 <= 1 && 600 - Y - HEIGHT / 2 <= 1 )) || fail "the launcher is not centred down (y $Y)"
hints=$(xprop -id "$win" WM_NORMAL_HINTS)
grep -q "minimum size: $WIDTH by $HEIGHT" <<<"$hints" && grep -q "maximum size: $WIDTH by $HEIGHT" <<<"$hints" ||
  fail "the launcher can be resized: $hints"
sleep 0.5
press "$win" Escape
wait_exit_without "$SHOW_TITLE" $DEMO_PID 5 || fail "Escape did not leave the launcher"
[[ "$EXIT_CODE" == 255 ]] || fail "exit code $EXIT_CODE after Escape in the launcher, expected 255"
echo "ok: Escape in the launcher exits with -1 and opens no show"
