#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>
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

// A long track goes to the browser as two decodes: its first seconds, which
// come back at once and play on their own, and the rest behind them.
constexpr uint32_t headMsDefault = 8000;
// The rest starts a few frames early: a frame's data may begin up to 511
// bytes back in the frames before it, and the filter bank needs the frame
// before the join decoded whole. What those frames give is thrown away.
constexpr size_t reservoirBytes = 511 + 4;
// Frames the browser copies into memory per call; no vector is zero-filled
// first, and each piece of the rest costs a frame of the show little.
constexpr uint32_t copyFrames = 16384;
constexpr uint32_t restFramesPerStep = 2 * 44100;
constexpr int restStepMs = 10;

struct Handed {
    std::string name;  // the whole decode, or the start's when split
    std::string rest;  // the rest's decode, or ""
    uint32_t headFrames = 0;  // MP3 frames in the start
    uint32_t restFrom = 0;    // the MP3 frame the rest's decode starts at
};

// The files handed to the browser and not yet taken by a load.
std::vector<Handed>& handedOver()
{
    static std::vector<Handed> files;
    return files;
}

// The rest of a track whose load took its start alone. Frames are counted
// as the load gives them (the encoder's first sample is 0); the rest's
// decoded frame i is the track's i + offset.
struct PendingRest {
    std::string name;
    uint64_t next = 0;      // the track's next frame to hand over
    uint64_t promised = 0;  // the track's length when the file says it (gapless), else 0
    int64_t origin = 0;     // the decoder's frame that is the track's first
    uint64_t restFirst = 0; // the decoder's frame at the rest's first MP3 frame
    uint64_t restGiven = 0; // the frames its MP3 frames hold
    bool known = false;     // offset and end worked out, once the rest is decoded
    int64_t offset = 0;
    uint64_t end = 0;
    SoundLayer* sound = nullptr;
    SoundHandle channel = 0;
    bool following = false;
};

PendingRest& pendingRest()
{
    static PendingRest rest;
    return rest;
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

Handed* findHanded(const std::string& name)
{
    for (Handed& h : handedOver())
        if (h.name == name)
            return &h;
    return nullptr;
}

// The browser is handed the audio frames alone, without the tags and the
// encoder's tag frame: it then has no encoder delay to cut, and what it cuts
// by itself shows in how many frames it gives back. A track at the show's
// rate that holds all its frames is split; others (resampled whole, or
// cut short) go as one.
void startDecode(const std::string& name, const unsigned char* bytes, const Mp3Layout& layout, uint32_t headMs)
{
    Handed handed;
    handed.name = name;
    const uint32_t headFrames =
        static_cast<uint32_t>((uint64_t{headMs} * layout.sampleRate / 1000 + layout.samplesPerFrame - 1) /
                              layout.samplesPerFrame);
    const bool whole = !layout.gapless || layout.framesFound >= layout.frameCount;
    size_t headEnd = layout.audioEnd;
    if (layout.sampleRate == soundRate && whole && headFrames >= 4 && layout.framesFound >= 2 * headFrames) {
        handed.headFrames = headFrames;
        const size_t needed = mp3FrameStart(bytes, layout, headFrames - 2);
        uint32_t from = headFrames - 3;
        while (from > 0 && needed - mp3FrameStart(bytes, layout, from) < reservoirBytes)
            --from;
        handed.restFrom = from;
        handed.rest = name + " rest";
        headEnd = mp3FrameStart(bytes, layout, headFrames);
    }
    duskAudioDecodeStart(name.c_str(), bytes + layout.audioStart, static_cast<uint32_t>(headEnd - layout.audioStart),
                         layout.sampleRate);
    if (!handed.rest.empty()) {
        const size_t restAt = mp3FrameStart(bytes, layout, handed.restFrom);
        duskAudioDecodeStart(handed.rest.c_str(), bytes + restAt, static_cast<uint32_t>(layout.audioEnd - restAt),
                             layout.sampleRate);
    }
    handedOver().push_back(handed);
}

// Decoded frames first .. first + count - 1 appended to pcm, a piece at a time.
void appendDecoded(const std::string& name, uint64_t first, uint64_t count, std::vector<float>& pcm)
{
    static float piece[2 * copyFrames];
    while (count > 0) {
        const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(count, copyFrames));
        duskAudioDecodedCopy(name.c_str(), static_cast<uint32_t>(first), n, piece);
        pcm.insert(pcm.end(), piece, piece + 2 * n);
        first += n;
        count -= n;
    }
}

// Once the rest is decoded: where its frames fall in the track, and where
// the track ends. False when the browser's count leaves the join unknown.
bool placeRest(PendingRest& r)
{
    const uint64_t decoded = duskAudioDecodedFrames(r.name.c_str());
    if (decoded == 0)
        return false;
    // The browser's own cut, taken as made at the start, as for a whole decode.
    const uint64_t cut = r.restGiven > decoded ? r.restGiven - decoded : 0;
    r.offset = static_cast<int64_t>(r.restFirst + cut) - r.origin;
    const int64_t endFrame = r.offset + static_cast<int64_t>(decoded);
    r.end = endFrame > 0 ? static_cast<uint64_t>(endFrame) : 0;
    if (r.promised > 0)
        r.end = std::min(r.end, r.promised);
    r.known = true;
    return r.offset <= static_cast<int64_t>(r.next) && r.end > r.next;
}

void forgetRest(PendingRest& r)
{
    duskAudioDecodeForget(r.name.c_str());
    r = PendingRest{};
}

}  // namespace

void webSoundDecodeAhead(const char* fileName, uint32_t headMs)
{
    std::vector<unsigned char> bytes;
    Mp3Layout layout;
    if (!readDataFile(fileName, bytes) || !readMp3Layout(bytes.data(), bytes.size(), layout))
        return;
    const std::string name = decodeName(bytes.data(), bytes.size());
    if (!findHanded(name) && duskAudioDecodeState(name.c_str()) == NotStarted)
        startDecode(name, bytes.data(), layout, headMs ? headMs : headMsDefault);
}

bool webSoundDecoding()
{
    const std::vector<Handed>& files = handedOver();
    return std::any_of(files.begin(), files.end(),
                       [](const Handed& h) { return duskAudioDecodeState(h.name.c_str()) == Decoding; });
}

bool webSoundRestPending()
{
    return !pendingRest().name.empty();
}

int webSoundTakeRest(std::vector<float>& samples, uint32_t maxFrames)
{
    samples.clear();
    PendingRest& r = pendingRest();
    if (r.name.empty())
        return restNone;
    if (!r.known) {
        const int state = duskAudioDecodeState(r.name.c_str());
        if (state == Decoding)
            return restDecoding;
        if (state != Decoded || !placeRest(r)) {
            forgetRest(r);
            return restFailed;
        }
    }
    const uint64_t count = std::min<uint64_t>(maxFrames, r.end - r.next);
    samples.reserve(2 * count);
    appendDecoded(r.name, r.next - r.offset, count, samples);
    r.next += count;
    if (r.next >= r.end)
        forgetRest(r);
    return restArrived;
}

namespace {

void followRest(void*)
{
    PendingRest& r = pendingRest();
    SoundLayer* sound = r.sound;
    const SoundHandle channel = r.channel;
    const uint64_t from = r.next;
    std::vector<float> samples;
    const int taken = webSoundTakeRest(samples, restFramesPerStep);
    if (taken == restArrived)
        soundExtendStream(*sound, channel, samples.data(), samples.size());
    else if (taken == restFailed)
        std::fprintf(stderr, "duskwheel: the music stops after %.1f s: the rest of the track does not decode\n",
                     static_cast<double>(from) / soundRate);
    if (taken == restArrived || taken == restDecoding)
        emscripten_async_call(followRest, nullptr, restStepMs);
}

}  // namespace

void webSoundFollowRest(SoundLayer& sound, SoundHandle channel)
{
    PendingRest& r = pendingRest();
    if (r.name.empty() || channel == 0)
        return;
    r.sound = &sound;
    r.channel = channel;
    if (!r.following)
        emscripten_async_call(followRest, nullptr, 0);
    r.following = true;
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
        if (state == NotStarted && !findHanded(name))
            startDecode(name, bytes, layout, headMsDefault);
        why = "is still being decoded";
        return false;
    }
    if (control && control->stop) {
        why = decodeStoppedFailure;
        return false;
    }
    Handed handed;
    handed.name = name;
    if (Handed* found = findHanded(name)) {
        handed = *found;
        handedOver().erase(handedOver().begin() + (found - handedOver().data()));
    }
    const uint64_t decoded = state == Decoded ? duskAudioDecodedFrames(name.c_str()) : 0;
    const uint32_t rate = duskAudioDecodedRate(name.c_str());

    // Gapless, as libmpg123 does it on Linux: with a LAME tag, output starts
    // at the encoder's first sample and holds exactly as many as it was given.
    // Browsers differ in what they cut from the frames themselves (a
    // decoder's own cut is its filter delay, at the start), so that is taken
    // from the count they give back rather than assumed. Counted in the
    // decoder's frames (the browser's output plus its cut), the track starts
    // at origin.
    const uint64_t perFrame = layout.samplesPerFrame;
    const bool split = !handed.rest.empty();
    const uint64_t given = (split ? handed.headFrames : layout.framesFound) * perFrame;
    const uint64_t cut = given > decoded ? given - decoded : 0;
    uint64_t origin = cut;
    uint64_t promised = 0;
    if (layout.gapless) {
        const uint64_t coded = uint64_t{layout.frameCount} * perFrame;
        const uint64_t trimmed = uint64_t{layout.encoderDelay} + layout.encoderPadding;
        promised = coded > trimmed ? coded - trimmed : 0;
        origin = std::max<uint64_t>(layout.encoderDelay + filterDelayFrames, cut);
    }
    uint64_t keep = decoded + cut > origin ? decoded + cut - origin : 0;
    if (promised > 0)
        keep = std::min(keep, promised);
    if (keep > 0) {
        // At the show's rate straight into pcm, with the whole track's room
        // at once, so that the rest arrives without a move.
        std::vector<float> stretch;
        std::vector<float>& into = rate == soundRate ? pcm : stretch;
        const uint64_t whole = promised > 0 ? promised : uint64_t{layout.framesFound} * perFrame - origin;
        into.reserve(2 * (split ? std::max(keep, whole) : keep));
        appendDecoded(name, origin - cut, keep, into);
        if (rate != soundRate)
            resampleTo44100(stretch, rate, pcm);
    }
    // The browser's copy goes once the load has its own: a show's track is
    // tens of megabytes, and the show loads it once.
    duskAudioDecodeForget(name.c_str());
    if (split && keep == 0)
        duskAudioDecodeForget(handed.rest.c_str());
    if (keep == 0)
        return false;
    if (split) {
        // The start plays now; the rest follows as webSoundFollowRest hands it on.
        PendingRest& r = pendingRest();
        if (!r.name.empty())
            duskAudioDecodeForget(r.name.c_str());
        r = PendingRest{};
        r.name = handed.rest;
        r.next = keep;
        r.promised = promised;
        r.origin = static_cast<int64_t>(origin);
        r.restFirst = uint64_t{handed.restFrom} * perFrame;
        r.restGiven = uint64_t{layout.framesFound - handed.restFrom} * perFrame;
        why = "";
        return true;
    }
    // A cut-short file plays what decodes, with a word about it, rather than
    // ending the program: the show keeps its own clock after the music stops.
    why = promised > 0 && keep < promised ? shortMp3Notice : "";
    return true;
}
