#include "shell/show_clock.h"

ShowClock gShowClock;

bool ShowClock::start()
{
    ticks.store(0, std::memory_order_relaxed);
    return startMillisecondTimer(*this);
}

void ShowClock::stop()
{
    stopMillisecondTimer(*this);
    timerId = 0;
}

float frameDeltaFor(uint32_t elapsed)
{
    float delta = static_cast<float>(static_cast<double>(elapsed) / 500.0);
    if (delta < 0.000001f)
        delta = 0.002f;
    return delta;
}
