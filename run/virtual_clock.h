#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Frames a second as an exact fraction, so that 30000/1001 keeps in step with
// the music however long the capture runs.
struct FrameRate {
    int64_t num = 60;
    int64_t den = 1;
};

// The virtual millisecond clock at a frame: frames step from 0 at the rate,
// each reading truncated to whole milliseconds as the live clock counts them.
uint32_t virtualTicks(uint64_t frame, FrameRate rate);

// How many frames come before the show time ms: the first frame at or after
// ms is the one with this number.
uint64_t framesBefore(int32_t ms, FrameRate rate);

// The sample frame (44100 Hz) that is heard at a show time.
uint64_t sampleFrameAt(int32_t showTimeMs);

// The show stepped frame by frame on a virtual clock instead of in real time,
// as the frame renderer and the page's listed frames step it. With listed
// show times only their frames are drawn: the clock skips the frames between,
// and the show reaches each time by its ticks, without drawing them.
struct VirtualClock {
    FrameRate rate;
    std::vector<int32_t> at;  // listed show times, increasing; empty: every frame
    size_t nextWanted = 0;    // index into at
    uint64_t frame = 0;       // the frame the clock reads now

    uint32_t ticks() const { return virtualTicks(frame, rate); }
    // Back to frame first (or the first listed time at or after it).
    void start(uint64_t first = 0);
    // On to the next frame to draw, after the one just drawn.
    void advance();
    // True, with its listed time, when the frame just drawn at showTime is
    // the next listed one.
    bool takeListed(int32_t showTime, int32_t& listed);
    // The number of the last listed frame.
    uint64_t lastListedFrame() const;
};
