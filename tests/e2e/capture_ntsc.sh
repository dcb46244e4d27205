#!/usr/bin/env bash
# The whole show at 30000/1001 frames a second: frame n shows floor(n x 1001/30)
# ms, so the last frame's time and the end of the music agree to within a
# frame after 92 s, and frame 2400 is the show at 80080 ms, colours and all; a
# clock that stepped by a rounded 33 ms, or at 30 fps, would be most of a
# second out by then.
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

./duskwheel-capture --video "$work/ntsc.mp4" --size 160x100 --fps 30000/1001 --quiet ||
  fail "the 30000/1001 capture failed"
rate=$(ffprobe -v error -select_streams v -show_entries stream=r_frame_rate -of default=nw=1:nk=1 "$work/ntsc.mp4")
frames=$(ffprobe -v error -select_streams v -count_packets -show_entries stream=nb_read_packets \
  -of default=nw=1:nk=1 "$work/ntsc.mp4")
last=$(ffprobe -v error -select_streams v -show_entries packet=pts_time -of default=nw=1:nk=1 "$work/ntsc.mp4" |
  sort -g | tail -n 1)
music=$(ffprobe -v error -select_streams a -show_entries stream=duration -of default=nw=1:nk=1 "$work/ntsc.mp4")
echo "rate $rate, $frames frames, last frame at ${last}s, music ${music}s"
[[ "$rate" == 30000/1001 ]] || fail "frame rate $rate, expected 30000/1001"
# Frames 0 .. 2757 are the ones before 92000 ms: 2757 x 1001/30 = 91991.9.
[[ "$frames" == 2758 ]] || fail "$frames frames, expected 2758"
awk -v l="$last" -v m="$music" 'BEGIN { d = m - l; if (d < 0) d = -d; exit !(d <= 1001 / 30000) }' ||
  fail "the last frame (${last}s) and the end of the music (${music}s) are more than a frame apart"
awk -v m="$music" 'BEGIN { exit !(m > 91.99 && m < 92.01) }' || fail "the music lasts ${music}s, expected 92"
# Frame 2400 against the PNG frames at 2399, 2400 and 2401 x 1001/30 ms:
# close to the middle one in colour, and closer to it than to the others.
./duskwheel-capture --at 80046,80080,80113 --size 160x100 --fps 30000/1001 --out "$work/png" --quiet ||
  fail "the PNG capture failed"
ffmpeg -v error -i "$work/ntsc.mp4" -vf 'select=eq(n\,2400)' -frames:v 1 "$work/frame2400.png" ||
  fail "cannot decode frame 2400"
best=
best_psnr=0
for t in 80046 80080 80113; do
  p=$(ffmpeg -hide_banner -i "$work/frame2400.png" -i "$work/png/frame_$t.png" -lavfi psnr -f null - 2>&1 |
    sed -n 's/.*PSNR \(r:.*\) min.*/\1/p')
  echo "frame 2400 against $t ms: $p"
  p=${p##*average:}
  if awk -v a="$p" -v b="$best_psnr" 'BEGIN { exit !(a > b) }'; then best=$t; best_psnr=$p; fi
done
[[ "$best" == 80080 ]] || fail "frame 2400 looks most like the frame at $best ms, not 80080 ms"
awk -v p="$best_psnr" 'BEGIN { exit !(p >= 35) }' || fail "frame 2400 differs from the 80080 ms PNG: PSNR $best_psnr dB"
echo "ok: 30000/1001 keeps the pictures and the music together over the whole show"
