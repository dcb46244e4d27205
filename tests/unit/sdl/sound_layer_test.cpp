// Two sound layers share nothing but the output device, which is one per
// process: the first to ask holds it, a second is told so and plays silently.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "tests/unit/sdl/sound_test_files.h"

TEST(SoundLayer, TwoLayersAreIndependentAndOnlyOneHoldsTheDevice)
{
    ScratchFolder folder;
    const std::string sine = folder.file("sine.mp3");
    ASSERT_TRUE(writeBytes(sine, sineMp3(soundRate, 40, 0.7f)));
    ScopedEnv dummy("SDL_AUDIODRIVER", "dummy");
    SoundLayer first(platformSoundBackend());
    SoundLayer second(platformSoundBackend());
    SoundLayer offline(platformSoundBackend());
    soundUseExplicitPosition(offline, true);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(soundInit(first));
    EXPECT_FALSE(soundInit(second)) << "the device is the first layer's";
    EXPECT_TRUE(soundInit(offline)) << "an offline layer asks for no device";
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "duskwheel: the sound device is held by another sound layer: playing silently\n");

    // Each layer has its own channels, handles and words.
    const SoundHandle held = soundStreamFromFile(first, sine.c_str());
    ASSERT_NE(held, 0u);
    EXPECT_EQ(soundStreamFromFile(second, folder.file("absent.mp3").c_str()), 0u);
    EXPECT_STREQ(soundLastFailure(second), "cannot be opened");
    EXPECT_STREQ(soundLastFailure(first), "");
    EXPECT_EQ(soundLength(second, held), 0u) << "the first layer's channel is not the second's";

    // The refused layer plays on the monotonic clock; the others stand still.
    const SoundHandle silent = soundStreamFromFile(second, sine.c_str());
    ASSERT_NE(silent, 0u);
    soundStart(second);
    soundPlay(second, silent);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_GE(soundPosition(second, silent), static_cast<int64_t>(soundRate) / 20);
    EXPECT_LT(soundPosition(first, held), 0) << "played in the second layer only";

    // Given back, the device goes to the next layer that asks.
    soundFree(first);
    soundFree(second);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(soundInit(second));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
