#pragma once

struct ShowClock;

// Stores the milliseconds since the clock started in its ticks, now.
void publishShowClock(ShowClock& clock);
