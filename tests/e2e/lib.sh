# Shared helpers for the end-to-end scripts. Sourced with the build folder as $1;
# DISPLAY must point at a running X server (make test starts Xvfb).
set -euo pipefail
BUILD=$(cd "$1" && pwd)
cd "$BUILD"
[[ -n "${DISPLAY:-}" ]] || { echo "e2e: DISPLAY is not set" >&2; exit 1; }

fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_window NAME SECONDS: prints the window id once a window of that name is mapped.
wait_window() {
  local name=$1 limit=$2 id
  for _ in $(seq 1 $((limit * 10))); do
    id=$(xdotool search --onlyvisible --name "^${name}\$" 2>/dev/null | head -n 1 || true)
    if [[ -n "$id" ]]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# wait_exit PID SECONDS: waits for the process (a child of this shell) and
# leaves its exit code in EXIT_CODE; returns 1 and kills it on timeout.
wait_exit() {
  wait_exit_without "" "$1" "$2"
}

# press WINDOW KEY: gives the window the focus and types the key into it.
press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool key --clearmodifiers "$2"
}

LAUNCHER_TITLE="duskwheel kset 2.0"
SHOW_TITLE="duskwheel2o13"

# start_demo LOG: runs the demo in the background, its output in LOG and its
# PID in DEMO_PID.
start_demo() {
  ./duskwheel >"$1" 2>&1 &
  DEMO_PID=$!
}

# launch_show: waits for the launcher and launches with what it preselected
# (on Xvfb's one mode, the whole screen).
launch_show() {
  local launcher
  launcher=$(wait_window "$LAUNCHER_TITLE" 30) || { kill "$DEMO_PID"; fail "the launcher never appeared"; }
  press "$launcher" Return
}

# wait_exit_without NAME PID SECONDS: like wait_exit, but fails as soon as a
# window called NAME exists, mapped or not (an empty NAME watches nothing).
wait_exit_without() {
  local name=$1 pid=$2 limit=$3
  for _ in $(seq 1 $((limit * 20))); do
    if [[ -n "$name" ]] && xdotool search --name "^${name}\$" >/dev/null 2>&1; then
      kill "$pid" 2>/dev/null || true
      fail "a window called $name appeared"
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
      EXIT_CODE=0
      wait "$pid" || EXIT_CODE=$?
      return 0
    fi
    sleep 0.05
  done
  kill "$pid" 2>/dev/null || true
  return 1
}

# expect_own_end START MIN: the show, whose clock START (date +%s.%N) began,
# ends by itself with 0 after at least MIN seconds, about 92.
expect_own_end() {
  local end length
  wait_exit $DEMO_PID 150 || fail "the show did not end by itself"
  end=$(date +%s.%N)
  [[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE at the end of the show, expected 0"
  length=$(awk -v a="$1" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
  echo "show ran ${length}s"
  awk -v l="$length" -v m="$2" 'BEGIN { exit !(l >= m && l < 120) }' || fail "the show took ${length}s, expected about 92"
}

# The damaged-Data checks that the Linux and the Windows programs share, run
# in a working folder holding a copy of Data/. The caller defines
# start_program LOG (in the background, PID in DEMO_PID) and WINDOW_LIMIT.
# Logs are read without carriage returns, as LOG.txt.

# run_damaged LOG SECONDS: launched, the show runs SECONDS and ends with Escape and 0.
run_damaged() {
  local win
  start_program "$1"
  launch_show
  win=$(wait_window "$SHOW_TITLE" "$WINDOW_LIMIT") || { kill $DEMO_PID; cat "$1" >&2; fail "the show did not start for $1"; }
  sleep "$2"
  kill -0 $DEMO_PID 2>/dev/null || fail "the show did not keep running for $1: $(cat "$1")"
  press "$win" Escape
  wait_exit $DEMO_PID 5 || fail "Escape did not end the show for $1"
  [[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE for $1, expected 0"
  tr -d '\r' <"$1" >"$1.txt"
}

# expect_music_failure LOG: the launched program ends by itself with 1 and one line about the music.
expect_music_failure() {
  start_program "$1"
  launch_show
  wait_exit $DEMO_PID 20 || fail "the program did not end for $1"
  [[ "$EXIT_CODE" == 1 ]] || fail "exit code $EXIT_CODE for $1, expected 1"
  tr -d '\r' <"$1" >"$1.txt"
  grep -q "^duskwheel: the music file Data/music.mp3 " "$1.txt" || fail "no line naming the music file: $(cat "$1.txt")"
  [[ $(grep -c '^duskwheel: the music' "$1.txt") == 1 ]] || fail "more than one line about the music: $(cat "$1.txt")"
  echo "$1: $(grep '^duskwheel:' "$1.txt")"
}

# check_damaged_data: unreadable pictures leave their textures empty with a
# line each and the show runs; a cut-short track plays what decodes with a
# line and the show goes on past its end on its own clock; a track in which
# nothing decodes ends the program with 1 and one line naming it.
check_damaged_data() {
  head -c 300 "$BUILD/Data/dwl.p" >Data/dwl.p
  : >Data/dot.p
  rm Data/credits.p Data/overlay.p
  mkdir Data/credits.p
  run_damaged pictures.log 1
  for name in dwl.p dot.p credits.p; do
    grep -q "^duskwheel: Data/$name is not a PCX picture" pictures.log.txt || fail "no line for $name: $(cat pictures.log.txt)"
  done
  grep -q "overlay" pictures.log.txt && fail "a missing picture was complained about: $(cat pictures.log.txt)"

  head -c $(($(stat -c %s "$BUILD/Data/music.mp3") / 40)) "$BUILD/Data/music.mp3" >Data/music.mp3
  run_damaged short.log 4
  grep -Eq "^duskwheel: the music file Data/music.mp3 is shorter than its header says; playing the 2\.[0-9] s that decode$" \
    short.log.txt || fail "no line about the cut-short track: $(cat short.log.txt)"
  [[ $(grep -c '^duskwheel: the music' short.log.txt) == 1 ]] || fail "more than one line about the track: $(cat short.log.txt)"
  echo "short.log: $(grep '^duskwheel: the music' short.log.txt)"

  head -c 20000 /dev/urandom >Data/music.mp3
  expect_music_failure damaged-music.log
}
