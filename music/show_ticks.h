#pragma once
#include <cstdint>

// The show's state advances on a fixed 60 Hz tick of show time, apart from
// drawing: tick n falls at floor(n x 1000 / 60) ms, the whole milliseconds a
// 60 frames a second clock reads, so that at 60 frames a second a tick is a
// frame. The music's spectrum is read once a tick, at the tick's own time.
constexpr int64_t ticksPerSecond = 60;

inline int32_t tickTime(int64_t tick)
{
    return static_cast<int32_t>(tick * 1000 / ticksPerSecond);
}

// The last tick at or before showTime; 0 for a time before the show.
inline int64_t lastTickAt(int32_t showTime)
{
    if (showTime <= 0)
        return 0;
    // The largest n with n x 1000 / 60 <= showTime, rounded down.
    return (static_cast<int64_t>(showTime) * ticksPerSecond + ticksPerSecond - 1) / 1000;
}

// frameDelta of a tick: its milliseconds since the previous tick / 500; the
// first tick gets one millisecond's worth, as the first frame does.
inline float tickDelta(int64_t tick)
{
    if (tick <= 0)
        return 0.002f;
    return static_cast<float>(static_cast<double>(tickTime(tick) - tickTime(tick - 1)) / 500.0);
}

// The lowest bins of the spectrum, as many as the beat detector, the
// counters and the scenes read: what a tick keeps of the spectrum.
constexpr int tickSpectrumBins = 20;
