#include "music/sound/mp3_layout.h"

#include <cstddef>
#include <cstring>

namespace {

struct FrameHeader {
    bool mpeg1 = false;
    bool crc = false;
    int channels = 0;
    uint32_t sampleRate = 0;
    uint32_t bitrate = 0;
    uint32_t samples = 0;
    uint32_t bytes = 0;  // the whole frame, header and padding byte included
    bool padded = false;
};

// Only Layer III: that is all the codec takes. Free-format frames (bitrate
// index 0) carry no length in their header, so they count as no frame.
bool readFrameHeader(const unsigned char* p, FrameHeader& h)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int version = (p[1] >> 3) & 3;  // 0: MPEG 2.5, 1: reserved, 2: MPEG 2, 3: MPEG 1
    const int layer = (p[1] >> 1) & 3;    // 1: Layer III
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    static const uint16_t kbpsMpeg1[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static const uint16_t kbpsMpeg2[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const uint32_t ratesMpeg1[3] = {44100, 48000, 32000};
    h.mpeg1 = version == 3;
    h.crc = (p[1] & 1) == 0;
    h.channels = (p[3] >> 6) == 3 ? 1 : 2;
    h.sampleRate = ratesMpeg1[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    h.bitrate = 1000u * (h.mpeg1 ? kbpsMpeg1 : kbpsMpeg2)[bitrateIndex];
    h.samples = h.mpeg1 ? 1152 : 576;
    h.padded = (p[2] & 2) != 0;
    h.bytes = h.samples / 8 * h.bitrate / h.sampleRate + (h.padded ? 1 : 0);
    return true;
}

uint32_t bigEndian32(const unsigned char* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// A lone 0xFFF in other data looks like a header too; a frame counts only
// when another of the same stream follows it, or the file ends with it.
bool frameAt(const unsigned char* bytes, size_t pos, size_t end, FrameHeader& h)
{
    if (!readFrameHeader(bytes + pos, h) || h.bytes > end - pos)
        return false;
    const size_t next = pos + h.bytes;
    if (next == end)
        return true;
    FrameHeader following;
    return end - next >= 4 && readFrameHeader(bytes + next, following) && following.mpeg1 == h.mpeg1 &&
           following.sampleRate == h.sampleRate;
}

// The encoder's tag frame ("Xing" for VBR, "Info" for CBR) stands where the
// first frame's audio would start. LAME and FFmpeg add the encoder delay and
// padding after it; decoders skip the frame whatever it holds.
bool readTagFrame(const unsigned char* frame, const FrameHeader& h, Mp3Layout& layout)
{
    const uint32_t sideInfo = h.mpeg1 ? (h.channels == 1 ? 17 : 32) : (h.channels == 1 ? 9 : 17);
    const unsigned char* p = frame + 4 + (h.crc ? 2 : 0) + sideInfo;
    const unsigned char* end = frame + h.bytes;
    if (end - p < 8 || (std::memcmp(p, "Xing", 4) != 0 && std::memcmp(p, "Info", 4) != 0))
        return false;
    const uint32_t flags = bigEndian32(p + 4);
    p += 8;
    uint32_t frames = 0;
    const ptrdiff_t fieldBytes[4] = {4, 4, 100, 4};  // frames, bytes, seek table, quality
    for (int field = 0; field < 4; ++field) {
        if (!(flags & (1u << field)))
            continue;
        if (end - p < fieldBytes[field])
            return true;
        if (field == 0)
            frames = bigEndian32(p);
        p += fieldBytes[field];
    }
    const bool lame = end - p >= 24 && (std::memcmp(p, "LAME", 4) == 0 || std::memcmp(p, "Lavf", 4) == 0 ||
                                        std::memcmp(p, "Lavc", 4) == 0);
    if (lame && frames > 0) {
        layout.gapless = true;
        layout.frameCount = frames;
        layout.encoderDelay = uint32_t{p[21]} << 4 | p[22] >> 4;
        layout.encoderPadding = uint32_t{p[22] & 15u} << 8 | p[23];
    }
    return true;
}

}  // namespace

bool readMp3Layout(const unsigned char* bytes, size_t size, Mp3Layout& layout)
{
    layout = Mp3Layout{};
    size_t end = size;
    if (end >= 128 && std::memcmp(bytes + end - 128, "TAG", 3) == 0)
        end -= 128;
    size_t pos = 0;
    // ID3v2: a ten-byte header whose size counts seven bits a byte, then
    // a ten-byte footer when flag 0x10 says so. Some files carry several.
    while (end - pos >= 10 && std::memcmp(bytes + pos, "ID3", 3) == 0) {
        const unsigned char* tag = bytes + pos;
        const size_t body = size_t{tag[6] & 0x7Fu} << 21 | size_t{tag[7] & 0x7Fu} << 14 |
                            size_t{tag[8] & 0x7Fu} << 7 | (tag[9] & 0x7Fu);
        const size_t whole = 10 + body + ((tag[5] & 0x10) ? 10 : 0);
        if (whole > end - pos)
            return false;
        pos += whole;
    }
    FrameHeader h;
    for (; end - pos >= 4; ++pos)
        if (frameAt(bytes, pos, end, h))
            break;
    if (end - pos < 4)
        return false;
    layout.sampleRate = h.sampleRate;
    layout.channels = h.channels;
    layout.bitrate = h.bitrate;
    layout.frameBytes = h.bytes - (h.padded ? 1 : 0);
    layout.samplesPerFrame = h.samples;
    layout.audioStart = readTagFrame(bytes + pos, h, layout) ? pos + h.bytes : pos;
    layout.audioEnd = end;
    for (size_t at = layout.audioStart; end - at >= 4 && readFrameHeader(bytes + at, h) && h.bytes <= end - at;
         at += h.bytes)
        ++layout.framesFound;
    return true;
}

size_t mp3FrameStart(const unsigned char* bytes, const Mp3Layout& layout, uint32_t index)
{
    size_t at = layout.audioStart;
    FrameHeader h;
    for (uint32_t i = 0; i < index && i < layout.framesFound && readFrameHeader(bytes + at, h); ++i)
        at += h.bytes;
    return index < layout.framesFound ? at : layout.audioEnd;
}
