#include "run/virtual_clock.h"

#include "music/sound/sound.h"

uint32_t virtualTicks(uint64_t frame, FrameRate rate)
{
    return static_cast<uint32_t>(frame * 1000u * static_cast<uint64_t>(rate.den) / static_cast<uint64_t>(rate.num));
}

uint64_t framesBefore(int32_t ms, FrameRate rate)
{
    // Frame n is before ms while n x 1000 x den / num < ms, as the clock
    // truncates to whole milliseconds: the count is that quotient rounded up.
    const uint64_t scaled = static_cast<uint64_t>(ms < 0 ? 0 : ms) * static_cast<uint64_t>(rate.num);
    const uint64_t step = 1000u * static_cast<uint64_t>(rate.den);
    return (scaled + step - 1) / step;
}

uint64_t sampleFrameAt(int32_t showTimeMs)
{
    return static_cast<uint64_t>(showTimeMs < 0 ? 0 : showTimeMs) * soundRate / 1000u;
}

void VirtualClock::start(uint64_t first)
{
    frame = first;
    nextWanted = 0;
    if (!at.empty() && framesBefore(at.front(), rate) > frame)
        frame = framesBefore(at.front(), rate);
}

void VirtualClock::advance()
{
    ++frame;
    if (nextWanted < at.size() && framesBefore(at[nextWanted], rate) > frame)
        frame = framesBefore(at[nextWanted], rate);
}

bool VirtualClock::takeListed(int32_t showTime, int32_t& listed)
{
    if (nextWanted >= at.size() || showTime < at[nextWanted])
        return false;
    listed = at[nextWanted++];
    return true;
}

uint64_t VirtualClock::lastListedFrame() const
{
    return at.empty() ? 0 : framesBefore(at.back(), rate);
}
