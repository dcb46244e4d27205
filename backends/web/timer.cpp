// The show clock: milliseconds since start from the browser's monotonic
// clock. An interval publishes them; the frame step publishes them too,
// since a tab in the background runs intervals seldom, while the show's
// time must keep up with the music as in a minimised window.
#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include "backends/web/show_clock_web.h"
#include "program/show_clock.h"

namespace {

double clockOrigin = 0.0;

void publishElapsed(void* user)
{
    publishShowClock(*static_cast<ShowClock*>(user));
}

}  // namespace

void publishShowClock(ShowClock& clock)
{
    if (clock.timerId == 0)
        return;
    clock.ticks.store(static_cast<uint32_t>(emscripten_get_now() - clockOrigin), std::memory_order_relaxed);
}

bool startMillisecondTimer(ShowClock& clock)
{
    clock.period = 1;
    clockOrigin = emscripten_get_now();
    clock.timerId = static_cast<uint32_t>(emscripten_set_interval(publishElapsed, 1.0, &clock));
    // An id of 0 would read as never started; intervals count from 1.
    if (clock.timerId == 0)
        clock.timerId = 1;
    return true;
}

void stopMillisecondTimer(ShowClock& clock)
{
    if (clock.timerId != 0)
        emscripten_clear_interval(static_cast<long>(clock.timerId));
}
