#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "music/music_track.h"
#include "music/show_music.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "run/demo_context.h"
#include "tests/unit/sdl/sound_test_files.h"

namespace {

bool allZero(const float* bins)
{
    for (int k = 0; k < spectrumBinCount; ++k)
        if (bins[k] != 0.0f)
            return false;
    return true;
}

// Runs a test body from inside a scratch folder, as the demo runs from the
// folder that holds Data/.
struct InFolder {
    std::string previous;
    explicit InFolder(const std::string& path) : previous(std::filesystem::current_path().string())
    {
        std::filesystem::current_path(path);
    }
    ~InFolder() { std::filesystem::current_path(previous); }
};

}  // namespace

TEST(MusicTrack, WholeUpperCasedNameChoosesStreamOrModule)
{
    ScratchFolder folder;
    const std::vector<unsigned char> mp3 = sineMp3(soundRate / 2, 23, 0.5f);
    std::filesystem::create_directories(folder.file("Data"));
    std::filesystem::create_directories(folder.file("mp3s"));
    ASSERT_TRUE(writeBytes(folder.file("Data/music.mp3"), mp3));
    ASSERT_TRUE(writeBytes(folder.file("song.Mp3"), mp3));
    ASSERT_TRUE(writeBytes(folder.file("tune.xm"), tinyModule()));
    ASSERT_TRUE(writeBytes(folder.file("mp3s/tune.xm"), tinyModule()));
    InFolder inside(folder.path);
    {
        SoundLayer sound(platformSoundBackend());
        soundUseExplicitPosition(sound, true);
        DemoContext context(sound);
        ASSERT_TRUE(soundInit(sound));
        MusicTrack& track = context.music;

        EXPECT_EQ(track.load("Data\\music.mp3"), 0);
        EXPECT_FALSE(track.isModule);
        EXPECT_NE(track.streamHandle, 0u);
        EXPECT_EQ(track.load("song.Mp3"), 0);
        EXPECT_FALSE(track.isModule);

        EXPECT_EQ(track.load("tune.xm"), 0);
        EXPECT_TRUE(track.isModule);
        const uint32_t module = track.moduleHandle;
        const uint32_t stream = track.streamHandle;
        EXPECT_NE(module, 0u);

        // "mp3" in the folder's name sends the module to the MP3 decoder,
        // which refuses it; a failure changes nothing in the track.
        EXPECT_EQ(track.load("mp3s\\tune.xm"), -1);
        EXPECT_TRUE(track.isModule);
        EXPECT_EQ(track.moduleHandle, module);
        EXPECT_EQ(track.streamHandle, stream);
        EXPECT_EQ(track.load("absent.it"), -1);
        EXPECT_EQ(track.moduleHandle, module);
    }
}

TEST(MusicTrack, MutedTrackStillStartsAndShowsTheSameSpectrum)
{
    ScratchFolder folder;
    ASSERT_TRUE(writeBytes(folder.file("sine.mp3"), sineMp3(soundRate, 40, 0.7f)));
    SoundLayer sound(platformSoundBackend());
    soundUseExplicitPosition(sound, true);
    float loud[spectrumBinCount];
    for (bool enabled : {true, false}) {
        DemoContext context(sound);
        context.settings.music = enabled;
        ASSERT_TRUE(soundInit(sound));
        ASSERT_EQ(context.music.load(folder.file("sine.mp3").c_str()), 0);
        EXPECT_TRUE(allZero(context.music.spectrumBins)) << "nothing before the first capture";
        context.music.captureSpectrum();
        EXPECT_TRUE(allZero(context.music.spectrumBins)) << "nothing before playback";

        context.music.start(context.settings.music);
        soundSetPosition(sound, soundRate / 2);
        context.music.captureSpectrum();
        EXPECT_NEAR(context.music.spectrumBins[40], 0.7f, 0.03f);
        if (enabled)
            std::copy(context.music.spectrumBins, context.music.spectrumBins + spectrumBinCount, loud);
        else
            for (int k = 0; k < spectrumBinCount; ++k)
                ASSERT_EQ(context.music.spectrumBins[k], loud[k]) << "bin " << k;

        soundSetPosition(sound, soundRate + 10);
        context.music.captureSpectrum();
        EXPECT_TRUE(allZero(context.music.spectrumBins)) << "nothing after the end";
    }  // the context's destruction stops and frees the sound
}

TEST(MusicTrack, WithoutADeviceTheSilentOutputFollowsTheClock)
{
    ScratchFolder folder;
    ASSERT_TRUE(writeBytes(folder.file("sine.mp3"), sineMp3(4 * soundRate, 40, 0.7f)));
    ScopedEnv noDriver("SDL_AUDIODRIVER", "no-such-driver");
    SoundLayer sound(platformSoundBackend());
    DemoContext context(sound);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(soundInit(sound));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "duskwheel: no audio device: playing silently\n");
    ASSERT_EQ(context.music.load(folder.file("sine.mp3").c_str()), 0);
    context.music.start(context.settings.music);

    const int64_t first = soundPosition(sound, context.music.streamHandle);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const int64_t later = soundPosition(sound, context.music.streamHandle);
    EXPECT_GE(later - first, static_cast<int64_t>(soundRate) / 20);
    context.music.captureSpectrum();
    EXPECT_GT(context.music.spectrumBins[40], 0.5f);

    soundStop(sound);
    const int64_t stopped = soundPosition(sound, context.music.streamHandle);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(soundPosition(sound, context.music.streamHandle), stopped);
}

TEST(MusicTrack, DummyDriverCountsAsADeviceOnlyWhenAskedFor)
{
    ScratchFolder folder;
    ASSERT_TRUE(writeBytes(folder.file("sine.mp3"), sineMp3(4 * soundRate, 40, 0.7f)));
    ScopedEnv dummy("SDL_AUDIODRIVER", "dummy");
    SoundLayer sound(platformSoundBackend());
    DemoContext context(sound);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(soundInit(sound));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(context.music.load(folder.file("sine.mp3").c_str()), 0);
    context.music.start(context.settings.music);
    // The device's thread mixes while we wait; the heard position follows.
    int64_t position = -1;
    for (int i = 0; i < 100 && position <= 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        position = soundPosition(sound, context.music.streamHandle);
    }
    EXPECT_GT(position, 0);
}

TEST(MusicTrack, StopAndFreeBeforeAnyInitialisationAreHarmless)
{
    SoundLayer sound(platformSoundBackend());
    soundStop(sound);
    soundFree(sound);
    soundStart(sound);
    soundPlay(sound, 0);
    soundSetVolume(sound, 0, 0.0f);
    float bins[spectrumBinCount];
    bins[0] = 3.0f;
    soundSpectrum(sound, 0, bins);
    EXPECT_EQ(bins[0], 3.0f) << "handle 0 is left alone";
    MusicTrack never(sound);
    never.captureSpectrum();
    EXPECT_TRUE(allZero(never.spectrumBins));
    soundFree(sound);
}

TEST(ShowMusic, MissingFileFailsWithOneLineNamingIt)
{
    ScratchFolder folder;
    InFolder inside(folder.path);
    {
        SoundLayer sound(platformSoundBackend());
        soundUseExplicitPosition(sound, true);
        DemoContext context(sound);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(loadShowMusic(context.music));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("Data/music.mp3 cannot be opened"), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    }
}
