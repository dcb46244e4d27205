#!/usr/bin/env bash
# The Windows program takes the player's options too: --version, a wrong
# option (one line, the usage, exit 2), and --play without the launcher.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

[[ $("$WINE" duskwheel.exe --version | tr -d '\r') == "duskwheel 2.0" ]] || fail "--version said something else"
rc=0
"$WINE" duskwheel.exe --bogus >wrong.out 2>wrong.err || rc=$?
[[ "$rc" == 2 ]] || fail "--bogus exited with $rc, expected 2"
grep -q "^duskwheel: unknown option '--bogus'" wrong.err || fail "no line for --bogus: $(cat wrong.err)"

"$WINE" "$DESKTOP_DEMO" --play --windowed --size 1280x800 --mute >play.log 2>&1 &
DEMO_PID=$!
wait_window "$SHOW_TITLE" 60 >/dev/null || { kill $DEMO_PID; cat play.log >&2; fail "--play showed no show window"; }
xdotool search --name "^${LAUNCHER_TITLE}\$" >/dev/null 2>&1 && fail "--play showed the launcher"
window=$(probe --desktop window "$SHOW_TITLE")
[[ "$window" == "client 1280x800 at "* ]] || fail "expected a 1280x800 client: $window"
press "$(wait_window "$SHOW_TITLE" 5)" Escape
wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE, expected 0"
echo "ok: --version, a wrong option exits 2, --play --windowed --size 1280x800 runs without the launcher"
