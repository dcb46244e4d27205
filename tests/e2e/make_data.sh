#!/usr/bin/env bash
# make-data writes the seven pictures at their texture sizes as PCX files that
# ImageMagick reads as well as the demo does, and writes the same bytes on
# every run.
set -euo pipefail
BUILD=$(cd "$1" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$BUILD/make-data" first >first.log || fail "make-data failed: $(cat first.log)"
"$BUILD/make-data" second >second.log || fail "make-data failed a second time"

declare -A sizes=(
  [overlay.p]=512x512 [dwl.p]=1024x128 [text1.p]=1024x1024 [dot.p]=256x256
  [greets1.p]=1024x1024 [greets2.p]=1024x1024 [credits.p]=1024x512
)
for file in "${!sizes[@]}"; do
  [[ -f first/$file ]] || fail "$file was not written"
  grep -q "first/$file" first.log || fail "no progress line for $file"
  got=$(identify -format '%m %wx%h' "first/$file") || fail "ImageMagick cannot read $file"
  [[ "$got" == "PCX ${sizes[$file]}" ]] || fail "$file reads as '$got', expected PCX ${sizes[$file]}"
  cmp -s "first/$file" "second/$file" || fail "$file differs between two runs"
done

# ImageMagick sees the sprite as we drew it: white in the middle, black at the rim.
level() { convert "$1" -crop "1x1+$2+$3" -format '%[fx:int(255*r+0.5)]' info:; }
[[ $(level first/dot.p 128 128) -ge 250 ]] || fail "the dot's centre is not bright"
[[ $(level first/dot.p 0 0) -eq 0 ]] || fail "the dot's corner is not black"
echo "ok: make-data writes seven readable, repeatable pictures"
