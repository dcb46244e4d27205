#pragma once
#include <atomic>
#include <cstdint>

// The show's millisecond clock. ticks is written only by the platform's timer
// thread and read by the main thread; the previous frame's reading belongs to
// the frame loop (runFrameLoop), not to the clock.
struct ShowClock {
    std::atomic<uint32_t> ticks{0};
    uint32_t period = 0;
    uint32_t timerId = 0;

    bool start();
    void stop();
};

// Platform side of the clock: a 1 ms periodic timer that stores the
// milliseconds since start in ticks. Implemented by the backend.
bool startMillisecondTimer(ShowClock& clock);
void stopMillisecondTimer(ShowClock& clock);
