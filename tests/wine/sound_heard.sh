#!/usr/bin/env bash
# Proof by ear under wine: launched as a user would, the Windows program
# plays its track through waveOut into a private PulseAudio server's null
# sink (the prefix's sound driver is pulse); a recording of the sink's
# monitor is found in the decoded track, near its start. With the server
# stopped the same launch says it plays silently, and Escape still ends it
# with 0.
source "$(dirname "$0")/lib.sh"
source "$SRC/tests/pulse.sh"
# A small window: drawn on the CPU at full size, the show leaves wine's
# sound threads too little time, and the sink hears gaps.
launch_program() {
  launch_windowed "$1" 640x400
}
WINDOW_LIMIT=60

scratch_folder
pulse_start
fresh_wine  # wine's sound driver reads the server's address when a program starts
check_heard
pulse_stop
fresh_wine
check_silent
echo "ok: the $WINARCH build is heard playing its track from its start; with no sound server it plays silently and ends with 0"
