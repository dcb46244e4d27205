# Shared helpers for the wine tests. Sourced with the source folder as $1 and
# the Linux build folder as $2; DISPLAY must point at a running X server.
# The Windows program runs from build/win32 where this machine executes
# 32-bit code, else from build/win64, in a prefix inside the Linux build folder.
set -euo pipefail
SRC=$(cd "$1" && pwd)
source "$SRC/tests/e2e/lib.sh" "$2"

export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # never offer to install Mono or Gecko
# Debian's wine wrapper would pick the 32-bit loader whenever it is installed;
# name the loader of the build that runs, and one server for the prefix.
export WINESERVER=/usr/lib/wine/wineserver64
[[ -x "$WINESERVER" ]] || WINESERVER=/usr/lib/wine/wineserver
if [[ -x /usr/lib/wine/wine ]] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
  WINE=/usr/lib/wine/wine
  WINBUILD="$SRC/build/win32"
  WINARCH=32-bit
else
  WINE=/usr/lib/wine/wine64
  WINBUILD="$SRC/build/win64"
  WINARCH=64-bit
fi
export WINELOADER="$WINE"
[[ -x "$WINE" ]] || fail "no wine loader at $WINE (scripts/setup installs wine)"
[[ -f "$WINBUILD/duskwheel.exe" ]] || fail "$WINBUILD/duskwheel.exe is not built (make windows builds it)"
echo "wine: the $WINARCH build, $WINBUILD, under $WINE"

# Programs named like this run inside the virtual desktop "dusk" (set up in
# the prefix): the display modes of a real driver and mode changes that work.
DESKTOP_DEMO=duskwheel-desktop.exe
DESKTOP_PROBE=wine-probe-desktop.exe
DESKTOP_SIZE=1920x1200
# And these in "odd", whose size is no display mode the driver lists.
ODD_DEMO=duskwheel-odd.exe
ODD_PROBE=wine-probe-odd.exe
ODD_SIZE=1917x1203

# fresh_wine: ends every wine process of the prefix, so no desktop or display
# mode of an earlier test is left over.
fresh_wine() {
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
}

# scratch_folder: a working folder with a copy of Data/, entered; removed at exit.
scratch_folder() {
  SCRATCH=$(mktemp -d /tmp/duskwheel-wine-XXXXXX)
  trap 'fresh_wine; rm -rf "$SCRATCH"' EXIT
  cp -r "$BUILD/Data" "$SCRATCH/Data"
  cp "$WINBUILD/duskwheel.exe" "$SCRATCH/duskwheel.exe"
  cp "$WINBUILD/duskwheel.exe" "$SCRATCH/$DESKTOP_DEMO"
  cp "$WINBUILD/wine-probe.exe" "$SCRATCH/wine-probe.exe"
  cp "$WINBUILD/wine-probe.exe" "$SCRATCH/$DESKTOP_PROBE"
  cp "$WINBUILD/duskwheel.exe" "$SCRATCH/$ODD_DEMO"
  cp "$WINBUILD/wine-probe.exe" "$SCRATCH/$ODD_PROBE"
  cd "$SCRATCH"
}

# start_exe EXE LOG: runs the Windows program in the background, its output
# in LOG and its PID in DEMO_PID.
start_exe() {
  "$WINE" "$1" >"$2" 2>&1 &
  DEMO_PID=$!
}

# probe [--desktop|--odd] ARGS...: asks Windows (see wine_probe.cpp).
probe() {
  local exe=wine-probe.exe
  if [[ "$1" == --desktop ]]; then exe=$DESKTOP_PROBE; shift; fi
  if [[ "$1" == --odd ]]; then exe=$ODD_PROBE; shift; fi
  "$WINE" "$exe" "$@" | tr -d '\r'
}

# choose_resolution WxH: in the open launcher, moves the resolution box from
# the preselected desktop entry to WxH with the arrow keys, as a user would.
choose_resolution() {
  local wanted=$1 launcher modes from to key steps
  launcher=$(wait_window "$LAUNCHER_TITLE" 30) || fail "the launcher never appeared"
  modes=$(probe --desktop modes | awk '!seen[$0]++')
  from=$(grep -nx "$DESKTOP_SIZE" <<<"$modes" | cut -d: -f1)
  to=$(grep -nx "$wanted" <<<"$modes" | cut -d: -f1)
  [[ -n "$from" && -n "$to" ]] || fail "the desktop lists no $wanted or $DESKTOP_SIZE: $modes"
  key=Down; steps=$((to - from))
  if ((steps < 0)); then key=Up; steps=$((-steps)); fi
  xdotool windowfocus --sync "$launcher" 2>/dev/null || xdotool windowfocus "$launcher"
  xdotool key Tab Tab  # Launch, Quit, then the resolution box
  for _ in $(seq 1 "$steps"); do xdotool key "$key"; done
  local shown
  shown=$(probe --desktop text "$LAUNCHER_TITLE" 1006)
  [[ "$shown" == "$wanted" ]] || fail "the resolution box shows '$shown', expected $wanted"
}

# uncheck_fullscreen: from the resolution box, Tab to "Fullscreen" and Space.
uncheck_fullscreen() {
  xdotool key Tab Tab Tab space
}

# launch_windowed LOG WxH: the program in the virtual desktop, its show
# launched windowed at WxH from the keyboard.
launch_windowed() {
  start_exe "$DESKTOP_DEMO" "$1"
  choose_resolution "$2"
  uncheck_fullscreen
  xdotool key Return
}
