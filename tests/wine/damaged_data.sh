#!/usr/bin/env bash
# A damaged or missing Data folder, with the Linux program's checks (in
# tests/e2e/lib.sh); and no Data folder at all ends the program with 1 and
# one line naming the music file. Fullscreen at the desktop's mode, in the
# virtual desktop that allows it.
source "$(dirname "$0")/lib.sh"
scratch_folder
fresh_wine
start_program() {
  start_exe "$DESKTOP_DEMO" "$1"
}
WINDOW_LIMIT=60
check_damaged_data
rm -rf Data
expect_music_failure no-data.log
echo "ok: damaged pictures leave their textures empty; a cut-short track plays what decodes; a damaged track or no Data ends the program with 1"
