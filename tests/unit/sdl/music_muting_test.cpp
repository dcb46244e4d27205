// With Music switched off the track still plays, at volume 0: what the device
// is given is silence, while the spectrum the show reacts to is the loud one.
// SDL's "disk" audio driver writes what it is given to a file, read back here.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "music/music_track.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "run/demo_context.h"
#include "tests/unit/sdl/sound_test_files.h"

TEST(MusicMuting, MusicOffPlaysAtVolumeZeroWithTheSameSpectrum)
{
    ScratchFolder folder;
    const std::string track = folder.file("muting.mp3");
    ASSERT_TRUE(writeBytes(track, sineMp3(2 * soundRate, 40, 0.7f)));

    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    float bins[2][spectrumBinCount];
    float loudest[2] = {0, 0};
    size_t samples[2] = {0, 0};
    for (int enabled = 0; enabled < 2; ++enabled) {
        SCOPED_TRACE(enabled ? "music on" : "music off");
        const std::string heard = folder.file(enabled ? "heard-on.raw" : "heard-off.raw");
        ScopedEnv file("SDL_DISKAUDIOFILE", heard.c_str());
        {
            SoundLayer sound(platformSoundBackend());
            DemoContext context(sound);
            context.settings.music = enabled;
            ASSERT_TRUE(soundInit(sound));
            ASSERT_EQ(context.music.load(track.c_str()), 0);
            context.music.start(context.settings.music);
            for (int i = 0; i < 300 && soundPosition(sound, context.music.streamHandle) < soundRate / 2; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            context.music.captureSpectrum();
            std::copy(context.music.spectrumBins, context.music.spectrumBins + spectrumBinCount, bins[enabled]);
        }  // the context's destruction stops the output and closes the file
        std::ifstream in(heard, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        samples[enabled] = bytes.size() / sizeof(float);
        for (size_t i = 0; i < samples[enabled]; ++i) {
            float sample;
            std::memcpy(&sample, &bytes[i * sizeof(float)], sizeof sample);
            loudest[enabled] = std::max(loudest[enabled], std::fabs(sample));
        }
    }
    EXPECT_GT(samples[0], soundRate / 2) << "the muted track was played all the same";
    EXPECT_EQ(loudest[0], 0.0f) << "muted, yet the device was given sound";
    EXPECT_NEAR(loudest[1], 0.7f, 0.1f);
    EXPECT_NEAR(bins[0][40], 0.7f, 0.03f);
    for (int k = 30; k < 50; ++k)
        EXPECT_NEAR(bins[0][k], bins[1][k], 0.02f) << "bin " << k;
}
