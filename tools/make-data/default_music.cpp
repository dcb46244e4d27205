#include <cstdio>
#include <vector>

#include "tools/make-data/default_data.h"
#include "tools/make-data/default_track.h"
#include "tools/make-data/mp3_encoder.h"

bool writeDefaultMusic(const std::string& dataDir)
{
    const std::string path = dataDir + "/music.mp3";
    std::printf("make-data: music: synthesising 95 s at 131 BPM:");
    std::fflush(stdout);
    const std::vector<float> pcm = composeDefaultTrack([](const char* stage) {
        std::printf(" %s", stage);
        std::fflush(stdout);
    });
    std::printf("\nmake-data: music: encoding at 192 kbps:");
    std::fflush(stdout);
    std::vector<unsigned char> mp3;
    const bool encoded = encodeMp3(pcm, 192, mp3, [](double share) {
        std::printf(" %d%%", static_cast<int>(share * 100.0 + 0.5));
        std::fflush(stdout);
    });
    std::printf("\n");
    if (!encoded) {
        std::fprintf(stderr, "make-data: the MP3 encoder failed on %s\n", path.c_str());
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "make-data: cannot write %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(mp3.data(), 1, mp3.size(), file) == mp3.size();
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "make-data: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
