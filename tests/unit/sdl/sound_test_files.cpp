#include "tests/unit/sdl/sound_test_files.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "music/sound/sound.h"
#include "tools/make-data/mp3_encoder.h"

ScratchFolder::ScratchFolder()
{
    std::string pattern = testing::TempDir() + "duskwheel-sound-XXXXXX";
    if (mkdtemp(pattern.data()))
        path = pattern;
}

ScratchFolder::~ScratchFolder()
{
    if (!path.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
}

std::vector<unsigned char> sineMp3(size_t frames, int bin, float amplitude, int rate, bool lameTag)
{
    const double pi = 3.14159265358979323846;
    const double hertz = static_cast<double>(bin) * soundRate / spectrumWindow;
    std::vector<float> pcm(2 * frames);
    for (size_t i = 0; i < frames; ++i)
        pcm[2 * i] = pcm[2 * i + 1] = amplitude * static_cast<float>(std::sin(2.0 * pi * hertz * i / rate));
    std::vector<unsigned char> mp3;
    encodeMp3(pcm, 192, mp3, {}, rate, lameTag);
    return mp3;
}

std::vector<unsigned char> tinyModule()
{
    std::vector<unsigned char> mod(20 + 31 * 30 + 2 + 128 + 4, 0);
    std::memcpy(mod.data(), "duskwheel test", 14);
    for (int s = 0; s < 31; ++s) {
        unsigned char* header = &mod[20 + s * 30];
        header[29] = 1;  // repeat length of one word: no loop
        if (s == 0) {
            header[23] = 32;  // 32 words
            header[25] = 64;  // full volume
            header[29] = 32;  // the whole sample loops
        }
    }
    mod[950] = 1;    // one position
    mod[951] = 127;
    mod[952] = 0;    // which plays pattern 0
    std::memcpy(&mod[1080], "M.K.", 4);

    std::vector<unsigned char> pattern(64 * 4 * 4, 0);
    const int periods[4] = {428, 340, 285, 214};  // C-2, E-2, G-2, C-3
    for (int row = 0; row < 64; row += 8) {
        unsigned char* cell = &pattern[(row * 4 + (row / 8) % 4) * 4];
        const int period = periods[(row / 8) % 4];
        cell[0] = static_cast<unsigned char>(period >> 8);
        cell[1] = static_cast<unsigned char>(period & 0xFF);
        cell[2] = 1 << 4;  // sample 1
    }
    mod.insert(mod.end(), pattern.begin(), pattern.end());
    for (int i = 0; i < 64; ++i)
        mod.push_back(i < 32 ? 100 : static_cast<unsigned char>(-100));
    return mod;
}
