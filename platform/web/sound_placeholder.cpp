// Until the web sound backend plugs in: no output device (the show runs on
// its silent clock, as natively without one), the MP3 decoded by the
// browser as it stands, tracker modules refused.
#include <emscripten/emscripten.h>

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
    why = "";
    return true;
}

bool renderModuleFile(const char*, std::vector<float>&, const char*& why, DecodeControl*)
{
    why = "cannot be played: this build plays MP3 music only";
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
