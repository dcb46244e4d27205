// Until the web sound backend plugs in: no output device (the show runs on
// its silent clock, as natively without one), the MP3 decoded by the
// browser as it stands, tracker modules refused.
#include <emscripten/emscripten.h>

#include <cstring>
#include <vector>

#include "assets/data_file.h"
#include "music/sound/sound_backend.h"

namespace {

EM_JS(void, placeholderDecodeStart, (const unsigned char* bytes, int length), {
    var copy = HEAPU8.slice(bytes, bytes + length).buffer;
    Module.placeholderPcm = { state: 1 };
    var context = new OfflineAudioContext(2, 1, 44100);
    context.decodeAudioData(copy).then(function(buffer) {
        Module.placeholderPcm = { state: 2, buffer: buffer };
    }, function() { Module.placeholderPcm = { state: 3 }; });
});

EM_JS(int, placeholderDecodeState, (), { return Module.placeholderPcm ? Module.placeholderPcm.state : 0; });

EM_JS(int, placeholderFrames, (), {
    var p = Module.placeholderPcm;
    return p && p.state == 2 ? p.buffer.length : 0;
});

EM_JS(void, placeholderCopy, (float* out, int frames), {
    var b = Module.placeholderPcm.buffer;
    var left = b.getChannelData(0);
    var right = b.numberOfChannels > 1 ? b.getChannelData(1) : left;
    for (var i = 0; i < frames; ++i) {
        HEAPF32[(out >> 2) + 2 * i] = left[i];
        HEAPF32[(out >> 2) + 2 * i + 1] = right[i];
    }
});

// The samples a Xing or Info header promises at the file's own rate, so
// that a file cut short can be told apart from a short track; 0 without one.
uint64_t promisedSamples(const std::vector<unsigned char>& b, uint32_t& rate)
{
    size_t at = 0;
    if (b.size() > 10 && std::memcmp(b.data(), "ID3", 3) == 0)
        at = 10 + ((b[6] & 0x7Fu) << 21 | (b[7] & 0x7Fu) << 14 | (b[8] & 0x7Fu) << 7 | (b[9] & 0x7Fu));
    while (at + 4 < b.size() && !(b[at] == 0xFF && (b[at + 1] & 0xE0) == 0xE0))
        ++at;
    if (at + 200 > b.size())
        return 0;
    const int version = (b[at + 1] >> 3) & 3;  // 3: MPEG 1, 2: MPEG 2, 0: MPEG 2.5
    const int rateIndex = (b[at + 2] >> 2) & 3;
    const uint32_t rates[3] = {44100, 48000, 32000};
    if (rateIndex == 3 || version == 1)
        return 0;
    rate = rates[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    const uint64_t perFrame = version == 3 ? 1152 : 576;
    for (size_t i = at + 4; i + 12 < at + 200; ++i)
        if (std::memcmp(&b[i], "Xing", 4) == 0 || std::memcmp(&b[i], "Info", 4) == 0) {
            const auto word = [&](size_t k) {
                return uint32_t{b[k]} << 24 | uint32_t{b[k + 1]} << 16 | uint32_t{b[k + 2]} << 8 | b[k + 3];
            };
            return (word(i + 4) & 1u) ? word(i + 8) * perFrame : 0;
        }
    return 0;
}

bool openNoDevice(MixFunction)
{
    return false;
}

}  // namespace

void webSoundDecodeAhead(const char* fileName)
{
    std::vector<unsigned char> bytes;
    if (placeholderDecodeState() == 0 && readDataFile(fileName, bytes))
        placeholderDecodeStart(bytes.data(), static_cast<int>(bytes.size()));
}

bool webSoundDecoding()
{
    return placeholderDecodeState() == 1;
}

bool decodeMp3File(const char* fileName, std::vector<float>& pcm, const char*& why, DecodeControl*)
{
    if (!dataFileExists(fileName)) {
        why = "cannot be opened";
        return false;
    }
    const int frames = placeholderFrames();
    if (frames <= 0) {
        why = "is not an MP3 that decodes";
        return false;
    }
    pcm.resize(static_cast<size_t>(frames) * 2);
    placeholderCopy(pcm.data(), frames);
    std::vector<unsigned char> bytes;
    uint32_t rate = 44100;
    const uint64_t promised = readDataFile(fileName, bytes) ? promisedSamples(bytes, rate) : 0;
    // The encoder's delay and padding are well under a tenth of a second.
    const bool cutShort = promised > 0 && static_cast<uint64_t>(frames) * rate + uint64_t{rate} * 4410u <
                                              promised * 44100u;
    why = cutShort ? shortMp3Notice : "";
    return true;
}

// Refused as the Windows build refuses one.
bool renderModuleFile(const char* fileName, std::vector<float>&, const char*& why, DecodeControl*)
{
    why = dataFileExists(fileName) ? "is a tracker module, which the web build does not play" : "cannot be opened";
    return false;
}

const SoundBackend& platformSoundBackend()
{
    static SoundBackend backend = [] {
        SoundBackend b;
        b.decodeMp3File = decodeMp3File;
        b.renderModuleFile = renderModuleFile;
        b.openOutputDevice = openNoDevice;
        return b;
    }();
    return backend;
}
