#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

#include "program/show_clock.h"

namespace {

DWORD clockOrigin = 0;

// Stores the milliseconds since start rather than counting callbacks: a
// periodic timer that slips under load would otherwise fall behind the music.
void CALLBACK publishElapsed(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR)
{
    auto* clock = reinterpret_cast<ShowClock*>(user);
    clock->ticks.store(static_cast<uint32_t>(timeGetTime() - clockOrigin), std::memory_order_relaxed);
}

}  // namespace

bool startMillisecondTimer(ShowClock& clock)
{
    TIMECAPS caps = {};
    if (timeGetDevCaps(&caps, sizeof caps) != TIMERR_NOERROR) {
        std::fprintf(stderr, "duskwheel: cannot start the show clock: the multimedia timer gives no capabilities\n");
        return false;
    }
    clock.period = caps.wPeriodMin < 1 ? 1 : caps.wPeriodMin;
    if (timeBeginPeriod(clock.period) != TIMERR_NOERROR) {
        std::fprintf(stderr, "duskwheel: cannot start the show clock: timer period %u ms refused\n",
                     static_cast<unsigned>(clock.period));
        clock.period = 0;
        return false;
    }
    clockOrigin = timeGetTime();
    // TIME_KILL_SYNCHRONOUS: once timeKillEvent returns, no callback is left writing to the clock.
    clock.timerId = timeSetEvent(1, clock.period, publishElapsed, reinterpret_cast<DWORD_PTR>(&clock),
                                 TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    // A timer that did not start freezes the show at 0 ms; say so instead of leaving it unexplained.
    if (clock.timerId == 0)
        std::fprintf(stderr, "duskwheel: the show clock's timer did not start; the show stays at its start\n");
    return true;
}

void stopMillisecondTimer(ShowClock& clock)
{
    // Undo only what start set up: no timeEndPeriod without its timeBeginPeriod.
    if (clock.timerId != 0)
        timeKillEvent(clock.timerId);
    if (clock.period != 0)
        timeEndPeriod(clock.period);
    clock.period = 0;
}
