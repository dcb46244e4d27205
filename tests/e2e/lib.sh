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
