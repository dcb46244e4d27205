#!/usr/bin/env bash
# The Windows capture tool under wine draws what the Linux one draws: ten show
# times spread over the whole show at 640x400, each pair within one level of
# mean absolute difference per colour channel. Both draw through Mesa, so a
# difference comes from our code (decoded music, float rounding, GL state).
source "$(dirname "$0")/lib.sh"
scratch_folder
cp "$WINBUILD/duskwheel-capture.exe" .
fresh_wine

times=4000,13000,22000,31000,40000,49000,58000,67000,76000,85000
"$BUILD/duskwheel-capture" --at "$times" --size 640x400 --out linux >linux.log 2>&1 ||
  { cat linux.log >&2; fail "the Linux capture failed"; }
"$WINE" duskwheel-capture.exe --at "$times" --size 640x400 --out windows >windows.log 2>&1 ||
  { cat windows.log >&2; fail "the Windows capture failed under wine"; }

worst=0
worst_at=
failed=()
for at in ${times//,/ }; do
  name=$(printf 'frame_%05d.png' "$at")
  [[ -f "windows/$name" ]] || fail "the Windows capture wrote no $name"
  # Mean absolute difference of each channel, in levels of 255.
  levels=$(convert "linux/$name" "windows/$name" -compose difference -composite \
    -separate -format '%[fx:mean*255] ' info:)
  read -r r g b <<<"$levels"
  printf '%6d ms: mean difference R %.3f G %.3f B %.3f\n' "$at" "$r" "$g" "$b"
  for level in "$r" "$g" "$b"; do
    if awk -v l="$level" -v w="$worst" 'BEGIN { exit !(l > w) }'; then worst=$level; worst_at=$at; fi
  done
  if awk -v r="$r" -v g="$g" -v b="$b" 'BEGIN { exit !(r > 1 || g > 1 || b > 1) }'; then failed+=("$at"); fi
done
printf 'largest mean difference: %.3f levels (at %s ms)\n' "$worst" "$worst_at"
((${#failed[@]} == 0)) || fail "frames differ by more than one level at: ${failed[*]} ms"
echo "ok: the $WINARCH Windows capture matches the Linux one at ten show times"
