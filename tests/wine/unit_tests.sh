#!/usr/bin/env bash
# The portable unit tests, cross-built for Windows, pass under wine too.
source "$(dirname "$0")/lib.sh"

cd "$WINBUILD"
"$WINE" ./unit-tests.exe --gtest_brief=1 >"$BUILD/wine-unit-tests.log" 2>&1 || {
  cat "$BUILD/wine-unit-tests.log" >&2
  fail "unit tests failed under wine"
}
tail -n 3 "$BUILD/wine-unit-tests.log"
passed=$(sed -n 's/.*PASSED  ] \([0-9]*\) test.*/\1/p' "$BUILD/wine-unit-tests.log")
[[ -n "$passed" && "$passed" -gt 0 ]] || fail "no test passed"
echo "ok: $passed unit tests pass in the $WINARCH Windows build"
