#pragma once

struct DemoContext;

// The settings dialog. Fills the context's settings and returns 1004 on
// Launch; returns -1 and leaves the context untouched on Quit, Escape or
// close. Returns 0, after one line on stderr, when it cannot be shown at all.
int runLauncher(DemoContext& context);
