#!/usr/bin/env bash
# web-frames: the web build's pictures against the golden frames.
#   frames.sh SOURCE_FOLDER
set -euo pipefail
root=$1
web=$root/build/web/site
[[ -f $web/duskwheel.wasm && -d $web/Data ]] || { echo "FAIL: $web is not built (make web)" >&2; exit 1; }
source "$root/tests/web/serve.sh"
start_server "$web"
node "$root/tests/web/frames.js" "$SERVER_URL" "$root/tests/golden" ${WEB_FRAMES_OUT:-}
