#!/usr/bin/env bash
# Ctrl-C closes the video so that what was captured plays to its end, music
# included (exit 130); a file that cannot be written to the end is removed
# (exit 1). Progress shows on a terminal only, and the run ends with one line.
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

# Interrupted once the file holds some frames.
./duskwheel-capture --video "$work/cut.mp4" --size 320x200 --fps 30 >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 1 1200); do
  size=$(stat -c %s "$work/cut.mp4" 2>/dev/null || echo 0)
  ((size < 100000)) || break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -INT "$pid"
rc=0
wait "$pid" || rc=$?
pid=
echo "after Ctrl-C: exit $rc: $(cat "$work/err")"
[[ "$rc" == 130 ]] || fail "exit $rc after Ctrl-C, expected 130"
[[ $(wc -l <"$work/err") == 1 ]] || fail "not one line on stderr"
[[ -s "$work/cut.mp4" ]] || fail "the interrupted capture left no file"
ffmpeg -v error -i "$work/cut.mp4" -f null - 2>"$work/decode" || fail "the interrupted file does not decode"
[[ ! -s "$work/decode" ]] || fail "the interrupted file decodes with errors: $(head -n 3 "$work/decode")"
frames=$(ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames -of default=nw=1:nk=1 \
  "$work/cut.mp4")
music=$(ffprobe -v error -select_streams a -show_entries stream=duration -of default=nw=1:nk=1 "$work/cut.mp4")
echo "it holds $frames frames and ${music}s of music"
((frames > 0 && frames < 2760)) || fail "$frames frames in the interrupted file"
awk -v n="$frames" -v m="$music" 'BEGIN { d = m - n / 30; if (d < 0) d = -d; exit !(d < 0.06) }' ||
  fail "the music (${music}s) does not end with the $frames frames"

# A file-size limit stops the writing part way: the half-written file goes.
rc=0
(ulimit -f 200 && exec ./duskwheel-capture --video "$work/full.mkv" --size 640x400 --to 30000 --quiet) \
  2>"$work/err" || rc=$?
echo "with no room: exit $rc: $(cat "$work/err")"
[[ "$rc" == 1 ]] || fail "exit $rc when the file could not be written, expected 1"
[[ $(wc -l <"$work/err") == 1 ]] || fail "not one line on stderr"
[[ ! -e "$work/full.mkv" ]] || fail "the half-written file was left behind"

# Progress on a terminal; none in a file, where a finished run says one line.
script -qec "./duskwheel-capture --video $work/tty.mp4 --to 2000 --size 320x200 --fps 30" /dev/null >"$work/tty" ||
  fail "the capture on a terminal failed"
grep -q '%  frame [0-9]* of 60 .* fps .* left' "$work/tty" || fail "no progress line on the terminal: $(cat "$work/tty")"
./duskwheel-capture --video "$work/file.mp4" --to 2000 --size 320x200 --fps 30 2>"$work/err" || fail "capture failed"
[[ $(wc -l <"$work/err") == 1 ]] && ! grep -q $'\r' "$work/err" || fail "stderr in a file holds more than one line"
grep -q "wrote $work/file.mp4 (60 frames, 0 to 2000 ms)" "$work/err" || fail "the closing line is $(cat "$work/err")"
echo "ok: Ctrl-C keeps a playable file, a failed write keeps none, progress only where someone watches"
