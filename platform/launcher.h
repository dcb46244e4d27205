#pragma once

struct DemoContext;

// The settings dialog. Fills the context's settings and returns 1004 on
// Launch; returns -1 and leaves the context untouched on Quit, Escape or close.
int runLauncher(DemoContext& context);
