#pragma once

// Ctrl-C (and a polite kill) ask the capture to stop after the frame being
// drawn, so that what was captured so far is closed properly. A second one
// ends the program at once.
void catchStopSignals();
bool stopRequested();
