#!/usr/bin/env bash
# Proof by ear: launched as a user would, the show plays its track into a
# private PulseAudio server's null sink; a recording of the sink's monitor
# is found in the decoded track, near its start. With the server stopped
# the same launch says it plays silently, and Escape still ends it with 0.
source "$(dirname "$0")/../pulse.sh"
source "$(dirname "$0")/lib.sh"
launch_program() {
  start_demo "$1"
  launch_show
}
WINDOW_LIMIT=30

pulse_start
check_heard
pulse_stop
check_silent
echo "ok: the show is heard playing its track from its start; with no sound server it plays silently and ends with 0"
