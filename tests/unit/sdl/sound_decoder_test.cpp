#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "tests/unit/sdl/sound_test_files.h"

namespace {

// The sound layer in offline mode: no device, the position is ours to set.
class OfflineSound : public testing::Test {
protected:
    ScratchFolder folder;
    SoundLayer sound{platformSoundBackend()};
    void SetUp() override
    {
        soundUseExplicitPosition(sound, true);
        ASSERT_TRUE(soundInit(sound));
    }
    int loudestBin(SoundHandle channel, uint64_t position, float& level)
    {
        float bins[spectrumBinCount];
        soundSetPosition(sound, position);
        soundSpectrum(sound, channel, bins);
        const float* top = std::max_element(bins, bins + spectrumBinCount);
        level = *top;
        return static_cast<int>(top - bins);
    }
};

}  // namespace

TEST_F(OfflineSound, Mp3AtAnyMpegRatePlaysAt44100WithItsLengthAndPitch)
{
    for (const int rate : {44100, 48000, 32000, 22050}) {
        SCOPED_TRACE(rate);
        const std::string path = folder.file("rate.mp3");
        ASSERT_TRUE(writeBytes(path, sineMp3(2 * static_cast<size_t>(rate), 23, 0.5f, rate)));
        const SoundHandle stream = soundStreamFromFile(sound, path.c_str());
        ASSERT_NE(stream, 0u);
        // Encoder delay and padding are cut: no more than a frame from the source.
        EXPECT_NEAR(static_cast<double>(soundLength(sound, stream)), 2.0 * soundRate, 1152.0) << "two seconds";
        soundPlay(sound, stream);
        float level = 0.0f;
        EXPECT_EQ(loudestBin(stream, soundRate, level), 23) << "the same tone";
        EXPECT_NEAR(level, 0.5f, 0.03f);
    }
}

TEST_F(OfflineSound, Mp3WhoseRateChangesKeepsEachPartsPitch)
{
    // One second at 44100 Hz, then one at 48 kHz: two untagged files end to end.
    std::vector<unsigned char> mp3 = sineMp3(soundRate, 23, 0.5f, soundRate, false);
    const std::vector<unsigned char> second = sineMp3(48000, 60, 0.5f, 48000, false);
    mp3.insert(mp3.end(), second.begin(), second.end());
    const std::string path = folder.file("joined.mp3");
    ASSERT_TRUE(writeBytes(path, mp3));
    const SoundHandle stream = soundStreamFromFile(sound, path.c_str());
    ASSERT_NE(stream, 0u);
    EXPECT_NEAR(static_cast<double>(soundLength(sound, stream)), 2.0 * soundRate, 3 * 1152.0);
    soundPlay(sound, stream);
    float level = 0.0f;
    EXPECT_EQ(loudestBin(stream, soundRate / 2, level), 23);
    EXPECT_EQ(loudestBin(stream, 3 * soundRate / 2, level), 60) << "the 48 kHz part at its own pitch";
}

TEST_F(OfflineSound, CutShortMp3PlaysWhatDecodesAndOnlyNothingDecodedGivesNoHandle)
{
    std::vector<unsigned char> mp3 = sineMp3(2 * soundRate, 23, 0.5f);
    mp3.resize(mp3.size() / 2);
    ASSERT_TRUE(writeBytes(folder.file("cut.mp3"), mp3));
    const SoundHandle cut = soundStreamFromFile(sound, folder.file("cut.mp3").c_str());
    ASSERT_NE(cut, 0u);
    EXPECT_STREQ(soundLastNotice(sound), "is shorter than its header says");
    EXPECT_NEAR(static_cast<double>(soundLength(sound, cut)), 1.0 * soundRate, 0.1 * soundRate);
    soundPlay(sound, cut);
    float level = 0.0f;
    EXPECT_EQ(loudestBin(cut, soundRate / 2, level), 23) << "the half that is there";
    ASSERT_NE(soundStreamFromFile(sound, folder.file("cut.mp3").c_str()), 0u);
    ASSERT_TRUE(writeBytes(folder.file("whole.mp3"), sineMp3(soundRate / 2, 23, 0.5f)));
    ASSERT_NE(soundStreamFromFile(sound, folder.file("whole.mp3").c_str()), 0u);
    EXPECT_STREQ(soundLastNotice(sound), "") << "a whole file has nothing to say";

    std::vector<unsigned char> text;
    for (int i = 0; i < 400; ++i)
        for (const char c : std::string("not an mp3 at all. "))
            text.push_back(static_cast<unsigned char>(c));
    ASSERT_TRUE(writeBytes(folder.file("text.mp3"), text));
    EXPECT_EQ(soundStreamFromFile(sound, folder.file("text.mp3").c_str()), 0u);
    ASSERT_TRUE(writeBytes(folder.file("empty.mp3"), {}));
    EXPECT_EQ(soundStreamFromFile(sound, folder.file("empty.mp3").c_str()), 0u);

    EXPECT_EQ(soundStreamFromFile(sound, folder.file("absent.mp3").c_str()), 0u);
    EXPECT_STREQ(soundLastFailure(sound), "cannot be opened");
}

TEST_F(OfflineSound, AStreamExtendedWhilePlayingIsHeardWhereItsFramesArrive)
{
    ASSERT_TRUE(writeBytes(folder.file("start.mp3"), sineMp3(soundRate / 2, 23, 0.5f)));
    const SoundHandle channel = soundStreamFromFile(sound, folder.file("start.mp3").c_str());
    ASSERT_NE(channel, 0u);
    const uint64_t start = soundLength(sound, channel);
    soundPlay(sound, channel);
    float level = 1.0f;
    loudestBin(channel, start + soundRate / 4, level);
    EXPECT_EQ(level, 0.0f) << "past its start the track is silent until the rest arrives";

    std::vector<float> rest(soundRate + 1);  // an odd sample left over is no frame
    for (size_t i = 0; i + 1 < rest.size(); i += 2)
        rest[i] = rest[i + 1] = 0.5f * std::sin(2.0 * M_PI * 40 * (i / 2) / spectrumWindow);
    soundExtendStream(sound, 0, rest.data(), rest.size());
    soundExtendStream(sound, channel + 1, rest.data(), rest.size());
    EXPECT_EQ(soundLength(sound, channel), start) << "no channel, nothing added";
    soundExtendStream(sound, channel, rest.data(), rest.size());
    EXPECT_EQ(soundLength(sound, channel), start + soundRate / 2);
    EXPECT_EQ(loudestBin(channel, start + soundRate / 4, level), 40);
    EXPECT_EQ(loudestBin(channel, start / 2, level), 23) << "the start is as it was";
}

TEST_F(OfflineSound, TrackerModulePlaysOnceThroughTheModulePath)
{
    const std::string path = folder.file("tiny.mod");
    ASSERT_TRUE(writeBytes(path, tinyModule()));
    const SoundHandle module = soundModuleFromFile(sound, path.c_str());
    ASSERT_NE(module, 0u);
    // 64 rows of 6 ticks at 50 ticks a second and a moment for the last
    // note to die away; then it stops instead of starting over.
    const double seconds = static_cast<double>(soundLength(sound, module)) / soundRate;
    EXPECT_GE(seconds, 7.68);
    EXPECT_LT(seconds, 8.0);
    soundPlay(sound, module);
    float level = 0.0f;
    loudestBin(module, soundRate / 2, level);
    EXPECT_GT(level, 0.02f);

    EXPECT_EQ(soundStreamFromFile(sound, path.c_str()), 0u) << "a module is no MP3";
    ASSERT_TRUE(writeBytes(folder.file("text.xm"), {'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'd'}));
    EXPECT_EQ(soundModuleFromFile(sound, folder.file("text.xm").c_str()), 0u);
    EXPECT_EQ(soundModuleFromFile(sound, folder.file("absent.xm").c_str()), 0u);
}

TEST(SoundLayer, LoadsNeedAnInitialisedOutput)
{
    ScratchFolder folder;
    SoundLayer sound(platformSoundBackend());
    ASSERT_TRUE(writeBytes(folder.file("tiny.mod"), tinyModule()));
    EXPECT_EQ(soundModuleFromFile(sound, folder.file("tiny.mod").c_str()), 0u);
}

TEST_F(OfflineSound, PrefetchedStreamIsTheStreamAndFailsTheSameWay)
{
    const std::string path = folder.file("ahead.mp3");
    ASSERT_TRUE(writeBytes(path, sineMp3(22050, 40, 0.5f)));
    const SoundHandle direct = soundStreamFromFile(sound, path.c_str());
    ASSERT_NE(direct, 0u);

    soundPrefetchStream(sound, path.c_str());
    const SoundHandle ahead = soundStreamFromFile(sound, path.c_str());
    ASSERT_NE(ahead, 0u);
    EXPECT_EQ(soundLength(sound, ahead), soundLength(sound, direct));
    soundPlay(sound, ahead);
    float level = 0.0f;
    EXPECT_EQ(loudestBin(ahead, 10000, level), 40) << "the decoded track itself";

    const std::string missing = folder.file("missing.mp3");
    soundPrefetchStream(sound, missing.c_str());
    EXPECT_EQ(soundStreamFromFile(sound, missing.c_str()), 0u);
    EXPECT_STREQ(soundLastFailure(sound), "cannot be opened");

    // Written out by a program of its own (the capture tool), the prefetched
    // track is copied and still there for the load, with the file gone.
    soundPrefetchStream(sound, path.c_str());
    std::vector<float> copy;
    const char* why = "unset";
    ASSERT_TRUE(soundDecodeStream(sound, path.c_str(), copy, why));
    EXPECT_STREQ(why, "");
    EXPECT_EQ(copy.size(), 2 * soundLength(sound, direct));
    ASSERT_EQ(std::remove(path.c_str()), 0);
    EXPECT_NE(soundStreamFromFile(sound, path.c_str()), 0u) << "decoded a second time";
    EXPECT_FALSE(soundDecodeStream(sound, path.c_str(), copy, why)) << "the prefetch was taken; the file is gone";
    EXPECT_STREQ(why, "cannot be opened");

    soundPrefetchStream(sound, missing.c_str());  // never taken: soundFree must still end it
}

TEST(SoundLayer, AStoppedDecodeEndsWithinABlock)
{
    ScratchFolder folder;
    const std::string mp3 = folder.file("long.mp3");
    const std::string module = folder.file("tiny.mod");
    ASSERT_TRUE(writeBytes(mp3, sineMp3(30 * soundRate, 23, 0.5f)));
    ASSERT_TRUE(writeBytes(module, tinyModule()));
    DecodeControl whole;
    std::vector<float> pcm;
    const char* why = "";
    ASSERT_TRUE(decodeMp3File(mp3.c_str(), pcm, why, &whole));
    ASSERT_GT(whole.blocks.load(), 100u);

    // Each decoder, told to stop while it runs, decodes at most the block it is in.
    const struct {
        bool (*decode)(const char*, std::vector<float>&, const char*&, DecodeControl*);
        const std::string& file;
    } decoders[] = {{decodeMp3File, mp3}, {renderModuleFile, module}};
    for (const auto& d : decoders) {
        DecodeControl control;
        bool done = false;
        bool decoded = true;
        std::thread worker([&] {
            decoded = d.decode(d.file.c_str(), pcm, why, &control);
            done = true;
        });
        while (control.blocks.load() < 2 && !done)
            std::this_thread::yield();
        control.stop = true;
        const uint32_t atStop = control.blocks.load();
        worker.join();
        EXPECT_LE(control.blocks.load() - atStop, 1u) << d.file;
        EXPECT_FALSE(decoded) << d.file;
        EXPECT_STREQ(why, decodeStoppedFailure);
    }

    // A prefetch nobody takes (the launcher was left) stops at the layer's end rather than run on.
    SoundLayer sound(platformSoundBackend());
    soundPrefetchStream(sound, mp3.c_str());
    while (soundPrefetchBlocks(sound) < 2)
        std::this_thread::yield();
    soundFree(sound);
    EXPECT_LT(soundPrefetchBlocks(sound), whole.blocks.load() / 2);
}
