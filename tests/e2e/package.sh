#!/usr/bin/env bash
# The program as a Linux user gets it: cmake --install puts it in bin/ with
# its Data in share/duskwheel/Data, and the Debian package (make package)
# holds the same with its real dependencies. Unpacked into a scratch root,
# the installed program plays from a folder without Data, while a Data folder
# in the working directory still wins.
source "$(dirname "$0")/lib.sh"

deb=$(ls "$BUILD"/duskwheel_*.deb 2>/dev/null | head -n 1)
[[ -n "$deb" ]] || fail "no package in $BUILD (make package builds it)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2 libmpg123 libopenmpt libgl; do
  grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
contents=$(dpkg-deb -c "$deb")
for file in usr/bin/duskwheel usr/bin/duskwheel-capture usr/share/duskwheel/Data/music.mp3 usr/share/duskwheel/Data/credits.p; do
  grep -q " \./$file\$" <<<"$contents" || fail "the package lacks /$file"
done
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes; Depends: $depends"

scratch=$(mktemp -d /tmp/duskwheel-package-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$BUILD" --prefix "$scratch/prefix" >/dev/null || fail "cmake --install failed"
[[ -x "$scratch/prefix/bin/duskwheel" && -f "$scratch/prefix/share/duskwheel/Data/dwl.p" ]] ||
  fail "cmake --install put nothing in bin/ or share/duskwheel/Data"

dpkg-deb -x "$deb" "$scratch/root"
mkdir "$scratch/home" && cd "$scratch/home"
"$scratch/root/usr/bin/duskwheel" --play --windowed >play.log 2>&1 &
DEMO_PID=$!
win=$(wait_window "$SHOW_TITLE" 30) || { kill $DEMO_PID; cat play.log >&2; fail "the installed program showed no show"; }
sleep 1
kill -0 $DEMO_PID 2>/dev/null || fail "the installed program did not keep running: $(cat play.log)"
press "$win" Escape
wait_exit $DEMO_PID 2 || fail "Escape did not end the installed program's show"
[[ "$EXIT_CODE" == 0 ]] || fail "exit code $EXIT_CODE, expected 0"

mkdir Data && head -c 5000 /dev/urandom >Data/music.mp3
"$scratch/root/usr/bin/duskwheel" --play --windowed >local.log 2>&1 &
DEMO_PID=$!
wait_exit $DEMO_PID 20 || fail "the program with a damaged local Data did not end"
grep -q "^duskwheel: the music file Data/music.mp3 " local.log || fail "the local Data folder did not win: $(cat local.log)"
echo "ok: installed and packaged program plays its own Data from share/, a local Data wins"
