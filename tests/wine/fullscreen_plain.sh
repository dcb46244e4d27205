#!/usr/bin/env bash
# Enter at once: fullscreen at the desktop's mode on the bare X server. Wine
# may refuse even that mode there (its 32-bit display driver does); then the
# program ends with its one line and exit 1, having opened no show window.
# Where it is taken, the show runs and Escape ends it with 0. Either way the
# display keeps its mode.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

before=$(probe mode)
start_exe duskwheel.exe fullscreen_plain.log
launch_show
for _ in $(seq 1 300); do
  kill -0 $DEMO_PID 2>/dev/null || break
  xdotool search --onlyvisible --name "^${SHOW_TITLE}\$" >/dev/null 2>&1 && break
  sleep 0.1
done
if win=$(xdotool search --onlyvisible --name "^${SHOW_TITLE}\$" 2>/dev/null | head -n 1) && [[ -n "$win" ]]; then
  sleep 1
  press "$win" Escape
  wait_exit $DEMO_PID 5 || fail "Escape did not end the fullscreen show"
  [[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after Escape, expected 0"
  outcome="taken: the show ran fullscreen and Escape ended it with 0"
else
  wait_exit $DEMO_PID 10 || fail "the program neither showed the show nor ended"
  tr -d '\r' <fullscreen_plain.log >said.txt
  [[ "$EXIT_CODE" == 1 ]] || fail "exit code $EXIT_CODE without a show window, expected 1: $(cat said.txt)"
  grep -q "^duskwheel: the display refuses the fullscreen mode: $before is not offered" said.txt ||
    fail "no line about the refused mode: $(cat said.txt)"
  [[ $(grep -c '^duskwheel:' said.txt) == 1 ]] || fail "more than one line: $(cat said.txt)"
  outcome="refused: one line, exit 1"
fi
after=$(probe mode)
[[ "$after" == "$before" ]] || fail "the display mode is $after afterwards, was $before"
echo "ok: fullscreen at $before on the bare server $outcome; the mode stays $after"
