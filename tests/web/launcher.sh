#!/usr/bin/env bash
# web-launcher: the launcher page driven with the keyboard.
#   launcher.sh SOURCE_FOLDER
set -euo pipefail
root=$1
web=$root/build/web/site
[[ -f $web/duskwheel.wasm && -d $web/Data ]] || { echo "FAIL: $web is not built (make web)" >&2; exit 1; }
source "$root/tests/web/serve.sh"
start_server "$web"
node "$root/tests/web/launcher.js" "$SERVER_URL"
