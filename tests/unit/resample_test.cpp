#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "music/sound/resample.h"
#include "music/sound/sound.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// Two seconds of a stereo sine (the right channel at half the left) at `rate`.
std::vector<float> sine(uint32_t rate, double hertz, double amplitude)
{
    std::vector<float> pcm(2 * 2 * rate);
    for (size_t i = 0; i < pcm.size() / 2; ++i) {
        const double v = amplitude * std::sin(2 * pi * hertz * static_cast<double>(i) / rate);
        pcm[2 * i] = static_cast<float>(v);
        pcm[2 * i + 1] = static_cast<float>(v / 2);
    }
    return pcm;
}

}  // namespace

TEST(Resample, EveryMpegRateComesOutAt44100WithItsPitchAndLevel)
{
    for (const uint32_t rate : {48000u, 32000u, 24000u, 22050u, 16000u, 12000u, 11025u, 8000u}) {
        SCOPED_TRACE(rate);
        std::vector<float> out;
        resampleTo44100(sine(rate, 1000.0, 0.8), rate, out);
        ASSERT_EQ(out.size(), 2 * 2 * static_cast<size_t>(soundRate)) << "two seconds in, two seconds out";
        double worst = 0.0;
        for (size_t n = soundRate / 4; n < 7 * soundRate / 4; ++n) {
            const double want = 0.8 * std::sin(2 * pi * 1000.0 * static_cast<double>(n) / soundRate);
            worst = std::max({worst, std::fabs(out[2 * n] - want), std::fabs(2 * out[2 * n + 1] - want)});
        }
        EXPECT_LT(worst, 1e-4) << "1 kHz at 0.8 comes out as 1 kHz at 0.8, left and right apart";

        resampleTo44100(std::vector<float>(2 * rate, 0.5f), rate, out);
        EXPECT_NEAR(out[soundRate / 2 * 2], 0.5f, 1e-6f) << "a constant stays exactly constant";
        EXPECT_LT(std::fabs(out[0]), 0.5f) << "the track's start fades in rather than swelling";
    }
    std::vector<float> out;
    resampleTo44100(sine(48000, 23000.0, 0.8), 48000, out);
    double squares = 0.0;
    for (size_t n = soundRate / 4; n < 7 * soundRate / 4; ++n)
        squares += static_cast<double>(out[2 * n]) * out[2 * n];
    EXPECT_LT(std::sqrt(squares / (1.5 * soundRate)), 0.8e-4) << "23 kHz has no place at 44100 Hz: 80 dB down at least";

    const std::vector<float> same = sine(soundRate, 440.0, 0.5);
    resampleTo44100(same, soundRate, out);
    EXPECT_EQ(out, same);
}
