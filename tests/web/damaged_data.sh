#!/usr/bin/env bash
# web-damaged_data: the damage of the native damaged-Data test, served from a
# copy of build/web/site, gives the same lines on the page; and chromium with
# WebGL switched off gets the page's one message about WebGL 2.
#   damaged_data.sh SOURCE_FOLDER
set -euo pipefail
root=$1
web=$root/build/web/site
[[ -f $web/duskwheel.wasm && -d $web/Data ]] || { echo "FAIL: $web is not built (make web)" >&2; exit 1; }
scratch=$(mktemp -d /tmp/duskwheel-web-damaged-XXXXXX)
cleanup() { rm -rf "$scratch"; }
cp -r "$web"/index.html "$web"/page.js "$web"/page.css "$web"/duskwheel.js "$web"/duskwheel.wasm "$web"/Data "$scratch"/
source "$root/tests/web/serve.sh"
start_server "$scratch"
trap 'kill "$SERVER_PID" 2>/dev/null || true; wait "$SERVER_PID" 2>/dev/null || true; rm -f "$SERVER_LOG"; cleanup' EXIT
run() { node "$root/tests/web/damaged_data.js" "$SERVER_URL" "$1"; }

run nowebgl
cd "$scratch"
head -c 300 "$web/Data/dwl.p" >Data/dwl.p
: >Data/dot.p
rm Data/credits.p Data/overlay.p
mkdir Data/credits.p
run pictures
head -c $(($(stat -c %s "$web/Data/music.mp3") / 40)) "$web/Data/music.mp3" >Data/music.mp3
run short
head -c 20000 /dev/urandom >Data/music.mp3
run music
echo "ok: damaged pictures leave their textures empty, a cut-short track plays what decodes, a damaged one ends the show before it starts, no WebGL 2 is said"
