#!/usr/bin/env bash
# What the capture cannot do it refuses with one line on stderr and exit 2,
# leaving no file behind; --help is the usage and exit 0.
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/folder.mp4"

# expected exit | what must not exist afterwards | arguments
cases=(
  "2|$work/none/a.mp4|--video $work/none/a.mp4 --to 1000"
  "2|$work/folder.mp4/a|--video $work/folder.mp4 --to 1000"
  "2|$work/a.avi|--video $work/a.avi --to 1000"
  "2|$work/a|--video $work/a --to 1000"
  "2|$work/zero.mp4|--video $work/zero.mp4 --size 0x0 --to 1000"
  "2|$work/huge.mp4|--video $work/huge.mp4 --size 40000x100 --to 1000"
  "2|$work/wide.mp4|--video $work/wide.mp4 --size 20000x16 --to 1000"
  "2|$work/wide|--at 100 --size 20000x16 --out $work/wide"
  "2|$work/odd.mp4|--video $work/odd.mp4 --size 321x200 --to 1000"
  "2|$work/fps0.mp4|--video $work/fps0.mp4 --fps 0 --to 1000"
  "2|$work/fpsneg.mp4|--video $work/fpsneg.mp4 --fps -30 --to 1000"
  "2|$work/fpsx.mp4|--video $work/fpsx.mp4 --fps 30/0 --to 1000"
  "2|$work/same.mp4|--video $work/same.mp4 --from 3000 --to 3000"
  "2|$work/back.mp4|--video $work/back.mp4 --from 5000 --to 1000"
  "2|$work/late.mp4|--video $work/late.mp4 --to 92001"
  "2|$work/crf.mp4|--video $work/crf.mp4 --crf 60 --to 1000"
  "2|$work/both.mp4|--video $work/both.mp4 --at 1000"
  "2|$work/frames|--at 1000 --out $work/frames --what"
)
failed=0
for entry in "${cases[@]}"; do
  IFS='|' read -r want gone args <<<"$entry"
  rc=0
  # shellcheck disable=SC2086
  ./duskwheel-capture $args >"$work/out" 2>"$work/err" || rc=$?
  lines=$(wc -l <"$work/err")
  printf '%-60s exit %s: %s\n' "${args//$work\//}" "$rc" "$(head -c 160 "$work/err")"
  if [[ "$rc" != "$want" ]]; then echo "  FAIL: exit $rc, expected $want"; failed=1; fi
  if [[ "$lines" != 1 ]]; then echo "  FAIL: $lines lines on stderr, expected 1"; failed=1; fi
  if [[ -e "$gone" ]]; then echo "  FAIL: $gone was left behind"; failed=1; fi
done
[[ -d "$work/folder.mp4" ]] || fail "the folder named like a video was removed"
((failed == 0)) || fail "some bad inputs were not refused as they should be"

./duskwheel-capture --help >"$work/out" 2>"$work/err" || fail "--help exited with $?"
grep -q -- '--video FILE' "$work/out" && [[ ! -s "$work/err" ]] || fail "--help did not print the usage on stdout"
echo "ok: every bad input is refused with one line and exit 2, and leaves nothing behind"
