#!/usr/bin/env bash
# A short video capture: one H.264 stream of exactly the frames asked for and
# one AAC stream of the music under them; the frame at 1000 ms is the PNG
# capture's frame at 1000 ms; the music is the show's from the first frame's
# show time; the same command gives the same bytes.
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# probe FILE STREAM ENTRIES: the entries' values, one per line.
probe() {
  ffprobe -v error -count_frames -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$1"
}
# psnr A B: the mean PSNR of two pictures in dB.
psnr() {
  ffmpeg -hide_banner -i "$1" -i "$2" -lavfi psnr -f null - 2>&1 |
    sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p'
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a == "inf" || a + 0 >= b + 0) }'; }

args="--to 3000 --size 320x200 --fps 30 --quiet"
./duskwheel-capture --video "$work/a.mp4" $args 2>"$work/err" || fail "capture failed: $(cat "$work/err")"
[[ ! -s "$work/err" ]] || fail "--quiet still said: $(cat "$work/err")"

video=$(probe "$work/a.mp4" v codec_name,width,height,pix_fmt,r_frame_rate,nb_read_frames | paste -sd' ')
echo "video: $video"
[[ "$video" == "h264 320 200 yuv420p 30/1 90" ]] || fail "video stream is '$video', expected h264 320 200 yuv420p 30/1 90"
[[ $(probe "$work/a.mp4" v index | wc -l) == 1 ]] || fail "not exactly one video stream"
audio=$(probe "$work/a.mp4" a codec_name,sample_rate,channels,duration | paste -sd' ')
echo "audio: $audio"
read -r codec rate channels seconds <<<"$audio"
[[ "$codec $rate $channels" == "aac 44100 2" ]] || fail "audio stream is '$audio', expected aac 44100 2"
awk -v s="$seconds" 'BEGIN { exit !(s > 2.97 && s < 3.03) }' || fail "audio lasts ${seconds}s, expected about 3"

# Frame 30 of the video against the PNG frames around 1000 ms: close to the
# one at 1000 ms in colour, and closer to it than to its neighbours.
./duskwheel-capture --at 966,1000,1033 --size 320x200 --fps 30 --out "$work/png" --quiet ||
  fail "the PNG capture failed"
ffmpeg -v error -i "$work/a.mp4" -vf 'select=eq(n\,30)' -frames:v 1 "$work/frame30.png" ||
  fail "cannot decode frame 30"
rgb=$(psnr "$work/frame30.png" "$work/png/frame_01000.png")
echo "frame 30 against the 1000 ms PNG: $rgb dB"
at_least "$rgb" 35 || fail "frame 30 differs from the 1000 ms PNG: PSNR $rgb dB, expected 35 or more"
# The decoded frame as it is stored, against each PNG put through the
# conversion the capture uses (full-range RGB to BT.709 4:2:0).
ffmpeg -v error -i "$work/a.mp4" -vf 'select=eq(n\,30)' -frames:v 1 -f rawvideo -pix_fmt yuv420p "$work/frame30.yuv"
raw='-f rawvideo -pix_fmt yuv420p -s 320x200'
best=
best_psnr=0
for t in 00966 01000 01033; do
  ffmpeg -v error -i "$work/png/frame_$t.png" \
    -vf scale=in_range=pc:out_range=tv:out_color_matrix=bt709:flags=bicubic+accurate_rnd -f rawvideo -pix_fmt yuv420p \
    "$work/$t.yuv"
  # shellcheck disable=SC2086
  p=$(ffmpeg -hide_banner $raw -i "$work/frame30.yuv" $raw -i "$work/$t.yuv" -lavfi psnr -f null - 2>&1 |
    sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p')
  echo "  as stored, against $t ms: $p dB"
  if at_least "$p" "$best_psnr" && [[ "$p" != "$best_psnr" ]]; then best=$t; best_psnr=$p; fi
done
[[ "$best" == 01000 ]] || fail "frame 30 looks most like the frame at $best ms, not 1000 ms"
at_least "$best_psnr" 45 || fail "frame 30 is only $best_psnr dB from the 1000 ms PNG as stored, expected 45 or more"

# The music under the frames: what the show's MP3 holds from 1000 ms, to the
# sample. A millisecond off leaves a residue as loud as the music itself.
./duskwheel-capture --video "$work/late.mp4" --from 1000 $args || fail "the capture from 1000 ms failed"
residue() {  # the level in dB of the file's sound minus the MP3's from offset seconds on
  local from to
  from=$(awk -v o="$1" 'BEGIN { printf "%.4f", o + 0.1 }')
  to=$(awk -v o="$1" 'BEGIN { printf "%.4f", o + 1.9 }')
  ffmpeg -hide_banner -i "$work/late.mp4" -i Data/music.mp3 -filter_complex \
    "[0:a]atrim=0.1:1.9,asetpts=PTS-STARTPTS[a];[1:a]atrim=$from:$to,asetpts=PTS-STARTPTS[b];[a][b]amerge=inputs=2,pan=stereo|c0=c0-c2|c1=c1-c3,astats=measure_overall=RMS_level:measure_perchannel=none" \
    -f null - 2>&1 | sed -n 's/.*RMS level dB: \(.*\)/\1/p' | tail -n 1
}
music=$(ffmpeg -hide_banner -i Data/music.mp3 -af 'atrim=1.1:2.9,astats=measure_overall=RMS_level:measure_perchannel=none' \
  -f null - 2>&1 | sed -n 's/.*RMS level dB: \(.*\)/\1/p' | tail -n 1)
aligned=$(residue 1.0)
early=$(residue 0.999)
echo "music $music dB; residue at 1000 ms $aligned dB, at 999 ms $early dB"
awk -v m="$music" -v r="$aligned" 'BEGIN { exit !(r < m - 10) }' ||
  fail "the sound from 1000 ms is not the music from 1000 ms (residue $aligned dB, music $music dB)"

# The same bytes twice, in both containers (Matroska would take a fresh
# random id and the date each time).
./duskwheel-capture --video "$work/b.mp4" $args || fail "the second capture failed"
cmp -s "$work/a.mp4" "$work/b.mp4" || fail "the same command wrote different MP4 bytes"
for run in 1 2; do
  ./duskwheel-capture --video "$work/$run.mkv" $args || fail "the Matroska capture failed"
done
cmp -s "$work/1.mkv" "$work/2.mkv" || fail "the same command wrote different Matroska bytes"
container=$(ffprobe -v error -show_entries format=format_name -of default=nw=1:nk=1 "$work/1.mkv")
[[ "$container" == matroska* && $(probe "$work/1.mkv" v nb_read_frames) == 90 ]] ||
  fail "1.mkv is '$container' with $(probe "$work/1.mkv" v nb_read_frames) frames"
echo "ok: 90 frames at 320x200 and 30 fps with 3 s of the music, in step, the same bytes twice"
