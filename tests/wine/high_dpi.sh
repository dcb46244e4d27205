#!/usr/bin/env bash
# At 144 DPI (150 % scaling) the program works in physical pixels: the
# launcher, laid out in dialog units of its font, comes out about 1.5 times
# its 96-DPI size as Windows reports it, and a windowed 1280x800 show still
# gets a client area of exactly 1280x800 with its frame at the top-left.
# The prefix's DPI is set back as it was when the test ends.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine

DPI_KEY='HKCU\Control Panel\Desktop'
regedit() { /usr/lib/wine/wine64 reg "$@" >/dev/null 2>&1; }
before=$(/usr/lib/wine/wine64 reg query "$DPI_KEY" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1 == "LogPixels" { print $3 }' || true)
restore_dpi() {
  if [[ -n "$before" ]]; then regedit add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$((before))" /f
  else regedit delete "$DPI_KEY" /v LogPixels /f || true; fi
}
trap 'fresh_wine; restore_dpi; fresh_wine; rm -rf "$SCRATCH"' EXIT
set_dpi() {
  regedit add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$1" /f || fail "cannot set the prefix's DPI to $1"
  fresh_wine  # each process reads the system DPI when it starts
}

# launcher_client: waits for the launcher of the started program, prints its client WxH.
launcher_client() {
  wait_window "$LAUNCHER_TITLE" 60 >/dev/null || { kill $DEMO_PID; fail "the launcher never appeared"; }
  probe --desktop window "$LAUNCHER_TITLE" | sed -n 's/^client \([0-9]*x[0-9]*\) .*/\1/p'
}

set_dpi 96
start_exe "$DESKTOP_DEMO" launcher96.log
at96=$(launcher_client)
kill $DEMO_PID 2>/dev/null || true
wait $DEMO_PID 2>/dev/null || true

set_dpi 144
start_exe "$DESKTOP_DEMO" show144.log
at144=$(launcher_client)
echo "launcher client: $at96 at 96 DPI, $at144 at 144 DPI"
awk -v a="$at96" -v b="$at144" 'BEGIN {
  split(a, s, "x"); split(b, t, "x")
  if (s[1] == 0 || s[2] == 0) exit 1
  for (i = 1; i <= 2; ++i) { r = t[i] / s[i]; if (r < 1.4 || r > 1.6) exit 1 }
}' || fail "the launcher at 144 DPI is $at144, not about 1.5 times $at96"

choose_resolution 1280x800
uncheck_fullscreen
xdotool key Return
wait_window "$SHOW_TITLE" 60 >/dev/null || { kill $DEMO_PID; cat show144.log >&2; fail "the show window never appeared"; }
window=$(probe --desktop window "$SHOW_TITLE")
echo "show window at 144 DPI: $window"
[[ "$window" == "client 1280x800 at "*" frame at 0,0" ]] || fail "expected a 1280x800 client with its frame at 0,0: $window"
press "$(wait_window "$SHOW_TITLE" 5)" Escape
wait_exit $DEMO_PID 5 || fail "Escape did not end the show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE after Escape, expected 0"
echo "ok: at 144 DPI the launcher scales by about 1.5 and a windowed show is exactly 1280x800"
