#include "program/show_clock.h"

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
