#include <algorithm>
#include <string>
#include <vector>

#include "assets/data_file.h"
#include "music/sound/mp3_layout.h"
#include "music/sound/resample.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "backends/web/decode_ahead.h"
#include "backends/web/audio.h"

namespace {

enum DecodeState { NotStarted = 0, Decoding = 1, Decoded = 2, Refused = 3 };

// What libmpg123 counts in front of the encoder's first sample on top of the
// encoder delay: the reference decoder's 528 + 1 samples of filter bank
// delay, which LAME's figures assume. The Linux build's gapless output starts
// there, so the browser's is cut to start there too.
constexpr uint64_t filterDelayFrames = 529;

// The files handed to the browser and not yet taken by a load.
std::vector<std::string>& handedOver()
{
    static std::vector<std::string> names;
    return names;
}

// The browser's decodes go by the bytes they were started from, so that a
// load finds the decode that the same file's bytes started ahead.
std::string decodeName(const unsigned char* bytes, size_t size)
{
    uint64_t hash = 14695981039346656037u;  // FNV-1a
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 1099511628211u;
    return "mp3 " + std::to_string(size) + " " + std::to_string(hash);
}

// The browser is handed the audio frames alone, without the tags and the
// encoder's tag frame: it then has no encoder delay to cut, and what it cuts
// by itself shows in how many frames it gives back.
void startDecode(const std::string& name, const unsigned char* bytes, const Mp3Layout& layout)
{
    duskAudioDecodeStart(name.c_str(), bytes + layout.audioStart,
                         static_cast<uint32_t>(layout.audioEnd - layout.audioStart), layout.sampleRate);
    handedOver().push_back(name);
}

}  // namespace

void webSoundDecodeAhead(const char* fileName)
{
    std::vector<unsigned char> bytes;
    Mp3Layout layout;
    if (!readDataFile(fileName, bytes) || !readMp3Layout(bytes.data(), bytes.size(), layout))
        return;
    const std::string name = decodeName(bytes.data(), bytes.size());
    if (duskAudioDecodeState(name.c_str()) == NotStarted)
        startDecode(name, bytes.data(), layout);
}

bool webSoundDecoding()
{
    const std::vector<std::string>& names = handedOver();
    return std::any_of(names.begin(), names.end(),
                       [](const std::string& name) { return duskAudioDecodeState(name.c_str()) == Decoding; });
}

bool decodeMp3File(const unsigned char* bytes, size_t size, std::vector<float>& pcm, const char*& why,
                   DecodeControl* control)
{
    pcm.clear();
    why = "is not an MP3 that decodes";
    Mp3Layout layout;
    if (!readMp3Layout(bytes, size, layout))
        return false;
    const std::string name = decodeName(bytes, size);
    const int state = duskAudioDecodeState(name.c_str());
    if (state == NotStarted || state == Decoding) {
        // Nothing can wait for the browser here; the next load finds it.
        if (state == NotStarted)
            startDecode(name, bytes, layout);
        why = "is still being decoded";
        return false;
    }
    if (control && control->stop) {
        why = decodeStoppedFailure;
        return false;
    }
    const uint64_t decoded = state == Decoded ? duskAudioDecodedFrames(name.c_str()) : 0;
    const uint32_t rate = duskAudioDecodedRate(name.c_str());

    // Gapless, as libmpg123 does it on Linux: with a LAME tag, output starts
    // at the encoder's first sample and holds exactly as many as it was given.
    // Browsers differ in what they cut from the frames themselves (a
    // decoder's own cut is its filter delay, at the start), so that is taken
    // from the count they give back rather than assumed.
    const uint64_t whole = uint64_t{layout.framesFound} * layout.samplesPerFrame;
    const uint64_t cutByBrowser = whole > decoded ? whole - decoded : 0;
    uint64_t skip = 0;
    uint64_t keep = decoded;
    uint64_t promised = 0;
    if (layout.gapless) {
        const uint64_t coded = uint64_t{layout.frameCount} * layout.samplesPerFrame;
        const uint64_t cut = uint64_t{layout.encoderDelay} + layout.encoderPadding;
        promised = keep = coded > cut ? coded - cut : 0;
        const uint64_t wanted = layout.encoderDelay + filterDelayFrames;
        skip = wanted > cutByBrowser ? wanted - cutByBrowser : 0;
    }
    keep = decoded > skip ? std::min(keep, decoded - skip) : 0;
    std::vector<float> stretch(2 * keep);
    if (keep > 0)
        duskAudioDecodedCopy(name.c_str(), static_cast<uint32_t>(skip), static_cast<uint32_t>(keep), stretch.data());
    // The browser's copy goes once the load has its own: a show's track is
    // tens of megabytes, and the show loads it once.
    duskAudioDecodeForget(name.c_str());
    std::vector<std::string>& names = handedOver();
    names.erase(std::remove(names.begin(), names.end(), name), names.end());
    if (keep == 0) {
        why = "is not an MP3 that decodes";
        return false;
    }
    // A cut-short file plays what decodes, with a word about it, rather than
    // ending the program: the show keeps its own clock after the music stops.
    why = promised > 0 && keep < promised ? shortMp3Notice : "";
    if (rate == soundRate)
        pcm = std::move(stretch);
    else
        resampleTo44100(stretch, rate, pcm);
    return true;
}
