#!/usr/bin/env bash
# The sound server goes away mid-show (a headset unplugged, the server
# restarted): the show goes on silently from the same play position, on its
# clock, with one line; it never hangs. First the sound layer's own play
# position, read every 20 ms, then the live show.
source "$(dirname "$0")/../pulse.sh"
source "$(dirname "$0")/lib.sh"

pulse_start
./tests/sound-sync-play Data/music.mp3 6 positions.txt 2>position.log &
player=$!
sleep 3
pulse_stop
wait_exit $player 10 || fail "the player hung once its device was gone"
[[ "$EXIT_CODE" == 0 ]] || fail "the player ended with $EXIT_CODE: $(cat position.log)"
[[ $(grep -c "^duskwheel: the sound device is gone: playing on silently$" position.log) == 1 ]] ||
  fail "not exactly one line about the lost device: $(cat position.log)"
# Between readings 20 ms apart the position never goes back and never jumps
# (runs more than 0.1 s ahead of the time between the readings, which a busy
# machine may stretch); over the last two seconds (silent by then) it keeps
# the real-time pace.
read -r backwards jump pace < <(awk '
  NR > 1 && $2 < p { back++ }
  NR > 1 && p > 0 && ($2 - p) / 44100 - ($1 - t[NR - 1]) / 1e9 > 0.1 { jump++ }
  { p = $2; t[NR] = $1; pos[NR] = $2 }
  END { n = NR; printf "%d %d %.3f\n", back, jump, (pos[n] - pos[n - 100]) / 44100 / ((t[n] - t[n - 100]) / 1e9) }' positions.txt)
echo "play position after the loss: $backwards steps back, $jump jumps, pace $pace of real time"
[[ "$backwards" == 0 && "$jump" == 0 ]] || fail "the play position did not carry on from where it was heard"
awk -v p="$pace" 'BEGIN { exit !(p > 0.95 && p < 1.05) }' || fail "the silent position runs at $pace of real time"

pulse_start
start_demo show.log
launch_show
win=$(wait_window "$SHOW_TITLE" 30) || { kill $DEMO_PID; fail "the show window never appeared"; }
sleep 2
pulse_stop
sleep 2
kill -0 $DEMO_PID 2>/dev/null || fail "the show ended when its sound device went: $(cat show.log)"
press "$win" Escape
wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE, expected 0"
grep -q "^duskwheel: the sound device is gone: playing on silently$" show.log || fail "no line about the lost device: $(cat show.log)"
echo "ok: the sound device lost mid-show: one line, silent from the same position, exit 0"
