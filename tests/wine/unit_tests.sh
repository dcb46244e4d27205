#!/usr/bin/env bash
# The portable unit tests and the Windows backend's own, cross-built, pass under wine.
source "$(dirname "$0")/lib.sh"

cd "$WINBUILD"
for program in unit-tests backend-tests; do
  log="$BUILD/wine-$program.log"
  "$WINE" "./$program.exe" --gtest_brief=1 >"$log" 2>&1 || {
    cat "$log" >&2
    fail "$program failed under wine"
  }
  tail -n 3 "$log"
  passed=$(sed -n 's/.*PASSED  ] \([0-9]*\) test.*/\1/p' "$log")
  [[ -n "$passed" && "$passed" -gt 0 ]] || fail "no test of $program passed"
  echo "ok: $passed tests of $program pass in the $WINARCH Windows build"
done
