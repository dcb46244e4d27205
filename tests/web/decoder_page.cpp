// The web sound backend's MP3 decoder, driven from decoder.html: the page
// writes the files into the program's file system, hands them to the
// browser's decoder ahead, and takes each one's PCM as the show's load would
// (a stream for an .mp3, else a tracker module). Every file at the show's
// rate longer than a second goes to the browser as a half-second start and
// the rest, which the page joins piece by piece as the show would.
#include <emscripten.h>

#include <vector>

#include "music/sound/sound_backend.h"
#include "backends/web/decode_ahead.h"

namespace {
std::vector<float> pcm;
const char* why = "";
}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void decodeAhead(const char* fileName)
{
    webSoundDecodeAhead(fileName, 500);
}

EMSCRIPTEN_KEEPALIVE int decoding()
{
    return webSoundDecoding() ? 1 : 0;
}

// 1 with the PCM ready for pcmSamples and pcmData, 0 with lastWhy saying
// why; lastWhy also holds what a file that decodes has to say about itself.
EMSCRIPTEN_KEEPALIVE int decode(const char* fileName)
{
    return decodeMp3File(fileName, pcm, why) ? 1 : 0;
}

// The rest of the last stream appended in pieces: 1 once all of it is
// there (or there was none), 0 while the browser decodes it, -1 when it
// did not decode.
EMSCRIPTEN_KEEPALIVE int takeRest()
{
    std::vector<float> piece;
    for (;;) {
        switch (webSoundTakeRest(piece, 10000)) {
        case restArrived:
            pcm.insert(pcm.end(), piece.begin(), piece.end());
            break;
        case restDecoding:
            return 0;
        case restFailed:
            return -1;
        default:
            return 1;
        }
    }
}

EMSCRIPTEN_KEEPALIVE int renderModule(const char* fileName)
{
    return renderModuleFile(fileName, pcm, why) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const float* pcmData()
{
    return pcm.data();
}

EMSCRIPTEN_KEEPALIVE int pcmSamples()
{
    return static_cast<int>(pcm.size());
}

EMSCRIPTEN_KEEPALIVE const char* lastWhy()
{
    return why;
}
}

int main()
{
    return 0;
}
