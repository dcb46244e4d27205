#include <SDL.h>

#include <chrono>
#include <cstdio>

#include "program/show_clock.h"

namespace {

std::chrono::steady_clock::time_point clockOrigin;

// Stores the milliseconds since start rather than counting callbacks: SDL's
// 1 ms timers tick late (about 910 times a second on a loaded machine), and a
// counting clock would fall seconds behind the music over the show.
Uint32 publishElapsed(Uint32 interval, void* user)
{
    auto* clock = static_cast<ShowClock*>(user);
    const auto elapsed = std::chrono::steady_clock::now() - clockOrigin;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    clock->ticks.store(static_cast<uint32_t>(ms), std::memory_order_relaxed);
    return interval;
}

}  // namespace

bool startMillisecondTimer(ShowClock& clock)
{
    // A clock that cannot start would leave the show at 0 ms; name why on stderr.
    if (SDL_InitSubSystem(SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "duskwheel: cannot start the show clock: %s\n", SDL_GetError());
        return false;
    }
    clock.period = 1;
    clockOrigin = std::chrono::steady_clock::now();
    clock.timerId = static_cast<uint32_t>(SDL_AddTimer(1, publishElapsed, &clock));
    return true;
}

void stopMillisecondTimer(ShowClock& clock)
{
    // Nothing to remove when the timer never started.
    if (clock.timerId != 0)
        SDL_RemoveTimer(static_cast<SDL_TimerID>(clock.timerId));
}
