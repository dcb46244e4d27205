#!/usr/bin/env bash
# prefix.sh start|stop SRC BUILD: the wine prefix of the tests, in the build
# folder (never ~/.wine). start makes it once; stop ends its processes.
action=$1
shift
source "$(dirname "$0")/lib.sh"

if [[ "$action" == stop ]]; then
  fresh_wine
  echo "ok: wine processes of $WINEPREFIX ended"
  exit 0
fi

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  echo "wine: preparing $WINEPREFIX (about 15 s)"
  start=$(date +%s)
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || fail "wineboot could not prepare the prefix"
  "$WINESERVER" -w
  echo "wine: prefix ready in $(($(date +%s) - start)) s"
fi
# The virtual desktop that some tests run in, chosen by program name.
reg() { /usr/lib/wine/wine64 reg add "$@" /f >/dev/null 2>&1 || fail "cannot write the prefix's registry: $*"; }
reg 'HKCU\Software\Wine\Explorer\Desktops' /v dusk /d "$DESKTOP_SIZE"
reg "HKCU\\Software\\Wine\\AppDefaults\\$DESKTOP_DEMO\\Explorer" /v Desktop /d dusk
reg "HKCU\\Software\\Wine\\AppDefaults\\$DESKTOP_PROBE\\Explorer" /v Desktop /d dusk
reg 'HKCU\Software\Wine\Explorer\Desktops' /v odd /d "$ODD_SIZE"
reg "HKCU\\Software\\Wine\\AppDefaults\\$ODD_DEMO\\Explorer" /v Desktop /d odd
reg "HKCU\\Software\\Wine\\AppDefaults\\$ODD_PROBE\\Explorer" /v Desktop /d odd
# Sound through PulseAudio only: probing ALSA on a machine without sound
# cards fills the program's standard error with the library's complaints.
reg 'HKCU\Software\Wine\Drivers' /v Audio /d pulse
fresh_wine
echo "ok: wine prefix $WINEPREFIX"
