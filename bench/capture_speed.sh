#!/usr/bin/env bash
# The video capture's speed against the drawing alone, on the same machine in
# the same run: --draw-only draws and reads back every frame as a video
# capture does and writes nothing; --video also encodes and writes the file
# on its own thread. Frames a second count from the first frame to the
# closed file (the window and the loading are left out); each figure is the
# best of RUNS, the two kinds taking turns so that a busy spell hits both.
# Usage: scripts/with-xvfb bench/capture_speed.sh [TO_MS] [RUNS] [SIZES]
#   defaults: the whole show (92000), 1 run, "1280x720 1920x1080"; after
#   cmake --build build/linux and make data (or ctest's make-data).
set -euo pipefail
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$SRC/build/linux}
to=${1:-92000}
runs=${2:-1}
sizes=${3:-1280x720 1920x1080}
cd "$BUILD"
[[ -x ./duskwheel-capture && -f Data/music.mp3 ]] || { echo "capture_speed: build first and make Data/ in $BUILD" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# fps ARGS...: the frame rate in the capture's closing line.
fps() {
  local line
  line=$(./duskwheel-capture "$@" 2>&1 >/dev/null | tail -n 1)
  [[ "$line" =~ \ at\ ([0-9.]+)\ fps ]] || { echo "capture_speed: $* said: $line" >&2; exit 1; }
  echo "${BASH_REMATCH[1]}"
}
best() { awk -v a="$1" -v b="$2" 'BEGIN { print (a > b ? a : b) }'; }

echo "capture speed, 0 to $to ms at 60 fps, best of $runs; $(nproc) CPUs, load $(cut -d' ' -f1-3 /proc/loadavg)"
if [[ -n "${LIBGL_ALWAYS_SOFTWARE:-}" ]]; then echo "renderer: Mesa's software renderer"; fi
printf '%-10s  %14s  %16s  %6s\n' size "drawing fps" "drawing+video fps" ratio
for size in $sizes; do
  drawing=0
  video=0
  for _ in $(seq 1 "$runs"); do
    drawing=$(best "$drawing" "$(fps --draw-only --size "$size" --to "$to")")
    video=$(best "$video" "$(fps --video "$work/bench.mp4" --size "$size" --to "$to")")
  done
  ratio=$(awk -v d="$drawing" -v v="$video" 'BEGIN { printf "%.0f%%", 100 * v / d }')
  printf '%-10s  %14s  %16s  %6s\n' "$size" "$drawing" "$video" "$ratio"
done
