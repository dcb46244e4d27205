#!/usr/bin/env bash
# The Windows MP3 decoder (ACM) against the Linux one (libmpg123): the
# default track and LAME test files (mono with ID3 tags, VBR, no LAME tag,
# 48 and 22.05 kHz through the shared resampler) decode to the same length
# and sample-aligned 16-bit PCM; a file that is no MP3 and a tracker module
# are refused with the words the show prints, and a file cut short loads
# with its own words; a decode told to stop ends within one block.
source "$(dirname "$0")/lib.sh"
scratch_folder

for program in "$BUILD/tests/sound-linux-pcm" "$BUILD/tests/sound-test-mp3" \
  "$WINBUILD/sound-decoder-compare.exe" "$WINBUILD/sound-decoder-refusals.exe"; do
  [[ -f "$program" ]] || fail "$program is not built"
done
mkdir sound
cp Data/music.mp3 sound/
"$BUILD/tests/sound-test-mp3" sound || fail "LAME could not make the test files"
compared=(sound/music.mp3 sound/mono_tagged.mp3 sound/vbr.mp3 sound/no_lame_tag.mp3 sound/rate48k.mp3 sound/rate22k.mp3)
"$BUILD/tests/sound-linux-pcm" "${compared[@]}" || fail "the Linux decoder failed"

"$WINE" "$WINBUILD/sound-decoder-compare.exe" "${compared[@]}" | tr -d '\r' ||
  fail "the Windows decoder's PCM differs from the Linux decoder's"
"$WINE" "$WINBUILD/sound-decoder-refusals.exe" sound | tr -d '\r' ||
  fail "the Windows build did not refuse a file as it should"
echo "ok: the $WINARCH decoder matches the Linux one on ${#compared[@]} files and refuses what it cannot play"
