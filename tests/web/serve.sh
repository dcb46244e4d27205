# Sourced by the web tests: start_server FOLDER starts a static server of
# the test's own on a free port of 127.0.0.1, sets SERVER_URL and stops it
# by its PID when the test exits.
start_server() {
  SERVER_LOG=$(mktemp /tmp/duskwheel-serve-XXXXXX)
  python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$1" >"$SERVER_LOG" 2>&1 &
  SERVER_PID=$!
  trap 'kill "$SERVER_PID" 2>/dev/null || true; wait "$SERVER_PID" 2>/dev/null || true; rm -f "$SERVER_LOG"' EXIT
  local port=""
  for _ in $(seq 100); do
    port=$(grep -Eo 'port [0-9]+' "$SERVER_LOG" | grep -Eo '[0-9]+' | head -1 || true)
    [[ -n $port ]] && break
    sleep 0.1
  done
  [[ -n $port ]] || { echo "FAIL: the static server did not start" >&2; cat "$SERVER_LOG" >&2; exit 1; }
  SERVER_URL="http://127.0.0.1:$port"
}
