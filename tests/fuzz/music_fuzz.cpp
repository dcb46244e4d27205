// Any bytes as the music file, through both loaders the show can choose:
// the MP3 stream and the tracker module.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "music/sound/sound_backend.h"

namespace {

const std::string& scratchFile()
{
    static const std::string path = [] {
        char name[] = "/tmp/duskwheel-fuzz-music-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0)
            std::abort();
        close(fd);
        return std::string(name);
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = scratchFile();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    for (auto load : {decodeMp3File, renderModuleFile}) {
        std::vector<float> pcm;
        const char* why = nullptr;
        const bool ok = load(path.c_str(), pcm, why, nullptr);
        // Interleaved stereo, and a reason whenever it fails.
        if ((ok && pcm.size() % 2 != 0) || (!ok && (!why || !*why)))
            __builtin_trap();
    }
    return 0;
}
