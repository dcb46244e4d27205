// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>
// clang-format on

#include <algorithm>
#include <cstring>

#include "music/sound/resample.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "music/sound/mp3_layout.h"

namespace {

// What the codec puts in front of the encoder's first sample, on top of the
// encoder delay that the LAME tag names. Measured under wine 8, whose
// l3codeca.acm is libmpg123 inside: its output of the default track and of
// mono and VBR test files lines up with the Linux build's gapless libmpg123
// output only when this many more samples are cut (the decoder comparison under
// wine reports any shift). It is the reference decoder's 528 + 1 samples of
// filter bank delay, which LAME's figures assume; Windows' own codec has not
// been measured.
constexpr uint32_t codecDelayFrames = 529;

// MP3 bytes handed to the codec at a time.
constexpr DWORD sourceBlockBytes = 64 * 1024;

struct AcmStream {
    HACMSTREAM handle = nullptr;
    ~AcmStream()
    {
        if (handle)
            acmStreamClose(handle, 0);
    }
};

// The codec's buffers, prepared once. Unpreparing wants the lengths that
// were prepared, whatever the conversions left in the header.
struct AcmBuffers {
    HACMSTREAM stream = nullptr;
    std::vector<BYTE> source;
    std::vector<BYTE> dest;
    ACMSTREAMHEADER header{};
    bool prepared = false;
    bool prepare(HACMSTREAM s, DWORD sourceBytes, DWORD destBytes)
    {
        stream = s;
        source.resize(sourceBytes);
        dest.resize(destBytes);
        header.cbStruct = sizeof header;
        header.pbSrc = source.data();
        header.cbSrcLength = sourceBytes;
        header.pbDst = dest.data();
        header.cbDstLength = destBytes;
        prepared = acmStreamPrepareHeader(stream, &header, 0) == 0;
        return prepared;
    }
    ~AcmBuffers()
    {
        if (!prepared)
            return;
        header.cbSrcLength = static_cast<DWORD>(source.size());
        header.cbDstLength = static_cast<DWORD>(dest.size());
        acmStreamUnprepareHeader(stream, &header, 0);
    }
};

// Takes the codec's 16-bit output, drops the first `skip` frames, keeps at
// most `keep` after them and writes them out as stereo float.
struct PcmSink {
    std::vector<float>& pcm;
    int channels;
    uint64_t skip;
    uint64_t keep;
    uint64_t produced = 0;  // frames from the codec, dropped ones included

    bool full() const { return produced >= skip + keep; }
    void take(const BYTE* bytes, DWORD count)
    {
        const int16_t* samples = reinterpret_cast<const int16_t*>(bytes);
        const uint64_t frames = count / (2u * static_cast<unsigned>(channels));
        for (uint64_t i = 0; i < frames; ++i, ++produced) {
            if (produced < skip || produced >= skip + keep)
                continue;
            const float left = samples[i * channels] / 32768.0f;
            const float right = samples[i * channels + channels - 1] / 32768.0f;
            pcm.push_back(left);
            pcm.push_back(right);
        }
    }
};

// Feeds the frames to the codec until the sink is full or the codec gives no
// more. The codec may keep decoded samples back for a later call, so the last
// block is followed by calls with nothing new until nothing comes out.
bool convertAll(HACMSTREAM stream, const unsigned char* frames, size_t size, PcmSink& sink, DecodeControl* control)
{
    DWORD destBytes = 0;
    if (acmStreamSize(stream, sourceBlockBytes, &destBytes, ACM_STREAMSIZEF_SOURCE) != 0 || destBytes == 0)
        return false;
    AcmBuffers buffers;
    if (!buffers.prepare(stream, sourceBlockBytes, destBytes))
        return false;
    ACMSTREAMHEADER& header = buffers.header;
    size_t offset = 0;
    DWORD held = 0;
    DWORD flags = ACM_STREAMCONVERTF_START;
    while (!sink.full()) {
        const DWORD more = static_cast<DWORD>(std::min<size_t>(sourceBlockBytes - held, size - offset));
        std::memcpy(buffers.source.data() + held, frames + offset, more);
        held += more;
        offset += more;
        const bool last = offset == size;
        header.cbSrcLength = held;
        header.cbDstLength = destBytes;
        header.cbSrcLengthUsed = 0;
        header.cbDstLengthUsed = 0;
        flags |= last ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN;
        if (acmStreamConvert(stream, &header, flags) != 0) {
            // A codec may refuse a call with nothing new rather than say it
            // has nothing left.
            if (last && held == 0)
                break;
            return false;
        }
        flags = 0;
        sink.take(buffers.dest.data(), header.cbDstLengthUsed);
        const DWORD used = std::min(header.cbSrcLengthUsed, held);
        std::memmove(buffers.source.data(), buffers.source.data() + used, held - used);
        held -= used;
        if (used == 0 && header.cbDstLengthUsed == 0 && (last || held == sourceBlockBytes))
            break;
        // A stop (the launcher was left) ends the decode here, between two blocks.
        if (control && (++control->blocks, control->stop.load()))
            return false;
    }
    return true;
}

}  // namespace

bool decodeMp3File(const unsigned char* bytes, size_t size, std::vector<float>& pcm, const char*& why,
                   DecodeControl* control)
{
    pcm.clear();
    why = "is not an MP3 that decodes";
    Mp3Layout layout;
    if (!readMp3Layout(bytes, size, layout))
        return false;

    MPEGLAYER3WAVEFORMAT mp3{};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = static_cast<WORD>(layout.channels);
    mp3.wfx.nSamplesPerSec = layout.sampleRate;
    mp3.wfx.nAvgBytesPerSec = layout.bitrate / 8;
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.wBitsPerSample = 0;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
    mp3.nBlockSize = static_cast<WORD>(layout.frameBytes);
    mp3.nFramesPerBlock = 1;
    mp3.nCodecDelay = 0;
    // Codecs change neither the rate nor the channel count: a mono file comes
    // out mono and goes to both sides below.
    WAVEFORMATEX out{};
    out.wFormatTag = WAVE_FORMAT_PCM;
    out.nChannels = static_cast<WORD>(layout.channels);
    out.nSamplesPerSec = layout.sampleRate;
    out.wBitsPerSample = 16;
    out.nBlockAlign = static_cast<WORD>(2 * layout.channels);
    out.nAvgBytesPerSec = layout.sampleRate * out.nBlockAlign;
    AcmStream stream;
    if (acmStreamOpen(&stream.handle, nullptr, &mp3.wfx, &out, nullptr, 0, 0, 0) != 0) {
        why = "finds no MP3 codec on this system that takes it";
        return false;
    }

    // Gapless, as libmpg123 does it on Linux: with a LAME tag, output starts
    // at the encoder's first sample and holds exactly as many as it was given.
    // At the file's own rate first: codecs do not resample.
    std::vector<float> decoded;
    uint64_t promised = 0;
    uint64_t skip = 0;
    uint64_t keep = UINT64_MAX;
    if (layout.gapless) {
        const uint64_t coded = uint64_t{layout.frameCount} * layout.samplesPerFrame;
        const uint64_t cut = uint64_t{layout.encoderDelay} + layout.encoderPadding;
        promised = keep = coded > cut ? coded - cut : 0;
        skip = layout.encoderDelay + codecDelayFrames;
        // A tag can promise anything: reserve no more than the bytes could
        // hold at 12 samples a byte (a hint; a richer file still fits).
        decoded.reserve(2 * std::min<uint64_t>(keep, 12 * uint64_t{size}));
    }
    PcmSink sink{decoded, layout.channels, skip, keep};
    if (!convertAll(stream.handle, bytes + layout.audioStart, layout.audioEnd - layout.audioStart, sink,
                    control)) {
        if (control && control->stop)
            why = decodeStoppedFailure;
        return false;
    }
    if (decoded.size() < 2)
        return false;
    // A cut-short file plays what decodes, with a word about it, rather than
    // ending the program: the show keeps its own clock after the music stops.
    why = promised > 0 && decoded.size() / 2 < promised ? shortMp3Notice : "";
    if (layout.sampleRate == soundRate)
        pcm = std::move(decoded);
    else
        resampleTo44100(decoded, layout.sampleRate, pcm);
    return true;
}
