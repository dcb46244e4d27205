#!/usr/bin/env bash
# The Windows program under wine against the native Linux program, on the
# same machine in the same run: Launch-to-first-frame (Return in the launcher
# until the show window holds a drawn picture) and drawing speed at 1280x800
# (the capture tool drawing and reading back every frame of the first 20 s
# of the show at 60 frames a second: Mesa draws a frame only when something
# waits for it, so every frame is read back).
# Usage: scripts/with-xvfb bench/wine_vs_native.sh [RUNS]   (after make test)
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-3}
source "$SRC/tests/wine/lib.sh" "$SRC" "$SRC/build/linux"
scratch_folder
cp "$WINBUILD/duskwheel-capture.exe" .
fresh_wine

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

# first_frame COMMAND...: seconds from Return in the launcher to a drawn show
# window, windowed at the desktop's resolution.
first_frame() {
  "$@" >first_frame.log 2>&1 &
  local pid=$! launcher win start mean
  launcher=$(wait_window "$LAUNCHER_TITLE" 60) || fail "no launcher"
  xdotool windowfocus --sync "$launcher" 2>/dev/null || true
  xdotool key Tab Tab Tab Tab Tab space  # Fullscreen off
  start=$(now)
  xdotool key Return
  win=$(wait_window "$SHOW_TITLE" 60) || fail "no show window"
  for _ in $(seq 1 600); do
    mean=$(import -window "$win" -crop 200x200+860+500 -format '%[fx:mean]' info: 2>/dev/null || echo 0)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.05) }' && break
  done
  elapsed "$start" "$(now)"
  press "$win" Escape
  wait "$pid" || true
}

# draw_rate COMMAND...: frames a second of the capture tool over 20 s of show.
draw_rate() {
  local start end
  start=$(now)
  "$@" --draw-only --to 20000 --size 1280x800 --fps 60 --quiet >/dev/null 2>&1 || fail "capture failed: $*"
  end=$(now)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", 1200 / (b - a) }'
}

echo "run  native-first-frame  wine-first-frame  native-fps  wine-fps   (1280x800, $WINARCH wine)"
for run in $(seq 1 "$runs"); do
  nf=$(first_frame "$BUILD/duskwheel")
  wf=$(first_frame "$WINE" duskwheel.exe)
  nr=$(draw_rate "$BUILD/duskwheel-capture")
  wr=$(draw_rate "$WINE" duskwheel-capture.exe)
  echo "$run    ${nf}s               ${wf}s             $nr        $wr"
done
