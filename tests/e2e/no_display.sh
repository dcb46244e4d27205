#!/usr/bin/env bash
# Without a display the program says so in one line and exits 1.
source "$(dirname "$0")/lib.sh"

rc=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY ./duskwheel 2>&1 >/dev/null) || rc=$?
[[ "$rc" == 1 ]] || fail "exit code $rc without a display, expected 1"
[[ $(wc -l <<<"$err") == 1 ]] || fail "expected one line on stderr, got: $err"
grep -qi "display" <<<"$err" || fail "the error does not mention the display: $err"
rc=0
err=$(env -u DISPLAY -u WAYLAND_DISPLAY ./duskwheel --play 2>&1 >/dev/null) || rc=$?
[[ "$rc" == 1 && $(wc -l <<<"$err") == 1 ]] || fail "--play without a display: exit code $rc, expected 1 and one line: $err"
grep -q "^duskwheel: cannot open the display (is DISPLAY set?): " <<<"$err" || fail "--play without a display: $err"
rc=0
DISPLAY=:9999 ./duskwheel 2>/dev/null || rc=$?
[[ "$rc" == 1 ]] || fail "exit code $rc with an unreachable display, expected 1"
echo "ok: no display gives one line and exit 1"
