#!/usr/bin/env bash
# A Data folder that a user has damaged (the checks themselves are in lib.sh,
# shared with the Windows program under wine).
source "$(dirname "$0")/lib.sh"

scratch=$(mktemp -d /tmp/duskwheel-damaged-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
cp -r "$BUILD/Data" "$scratch/Data"
cd "$scratch"
start_program() {
  "$BUILD/duskwheel" >"$1" 2>&1 &
  DEMO_PID=$!
}
WINDOW_LIMIT=30
check_damaged_data
echo "ok: damaged pictures leave their textures empty, a cut-short track plays what decodes, a damaged one ends the program with 1"
