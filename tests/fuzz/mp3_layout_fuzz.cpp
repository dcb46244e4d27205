// Any bytes as an MP3 file for the codecs that are handed frames alone: the
// layout found must lie inside the bytes and describe a frame that can be,
// and the frames it counts must be found where it says.
#include <cstdint>

#include "music/sound/mp3_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Mp3Layout layout;
    if (!readMp3Layout(data, size, layout))
        return 0;
    const bool rate = layout.sampleRate >= 8000 && layout.sampleRate <= 48000;
    const bool frame = (layout.samplesPerFrame == 576 || layout.samplesPerFrame == 1152) && layout.frameBytes >= 24 &&
                       layout.bitrate >= 8000 && layout.bitrate <= 320000;
    const bool inside = layout.audioStart <= layout.audioEnd && layout.audioEnd <= size;
    // Each frame found is at least 24 bytes, all of them between the two.
    const bool found = uint64_t{layout.framesFound} * 24 <= layout.audioEnd - layout.audioStart;
    if (!rate || !frame || !inside || !found || (layout.channels != 1 && layout.channels != 2))
        __builtin_trap();
    // Frame starts lie between the two and in order; past the last comes audioEnd.
    const uint32_t n = layout.framesFound;
    const size_t half = mp3FrameStart(data, layout, n / 2);
    const size_t last = n > 0 ? mp3FrameStart(data, layout, n - 1) : layout.audioStart;
    if ((n > 0 && (half < layout.audioStart || half > last || last >= layout.audioEnd)) ||
        mp3FrameStart(data, layout, n) != layout.audioEnd)
        __builtin_trap();
    return 0;
}
