#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "music/sound/fft.h"
#include "music/sound/sound_channel.h"
#include "music/sound/spectrum.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// Interleaved stereo; the right channel is the left one times rightSign.
std::vector<float> stereoSine(size_t frames, double bin, float amplitude, float rightSign = 1.0f)
{
    std::vector<float> pcm(2 * frames);
    for (size_t i = 0; i < frames; ++i) {
        const float v = amplitude * static_cast<float>(std::sin(2.0 * pi * bin * i / spectrumWindow + 0.3));
        pcm[2 * i] = v;
        pcm[2 * i + 1] = rightSign * v;
    }
    return pcm;
}

}  // namespace

TEST(Fft, MatchesADirectDft)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
    for (size_t size : {2u, 8u, 64u, 1024u}) {
        std::vector<std::complex<float>> data(size);
        for (auto& x : data)
            x = {sample(random), sample(random)};
        std::vector<std::complex<double>> direct(size);
        for (size_t k = 0; k < size; ++k)
            for (size_t n = 0; n < size; ++n)
                direct[k] += std::complex<double>(data[n]) * std::polar(1.0, -2.0 * pi * k * n / size);
        fftRadix2(data.data(), size);
        for (size_t k = 0; k < size; ++k) {
            EXPECT_NEAR(data[k].real(), direct[k].real(), 1e-3) << "size " << size << " bin " << k;
            EXPECT_NEAR(data[k].imag(), direct[k].imag(), 1e-3) << "size " << size << " bin " << k;
        }
    }
}

TEST(Spectrum, FullScaleSineAtABinCentreReadsOne)
{
    float bins[spectrumBinCount];
    for (double bin : {3.0, 20.0, 300.0}) {
        const std::vector<float> pcm = stereoSine(4096, bin, 1.0f);
        spectrumOfPcm(pcm.data(), 4096, 3000, bins);
        EXPECT_NEAR(bins[static_cast<int>(bin)], 1.0f, 0.01f) << "bin " << bin;
        // The Hann window's main lobe: half in each neighbour, nothing beyond.
        EXPECT_NEAR(bins[static_cast<int>(bin) + 1], 0.5f, 0.01f);
        EXPECT_LT(bins[static_cast<int>(bin) + 3], 1e-3f);
    }
}

TEST(Spectrum, WindowKeepsASineBetweenBinsFromLeakingFar)
{
    // Without a window a tone between bins spreads about 3 % of itself ten
    // bins away; the Hann window keeps that far below 0.1 %.
    float bins[spectrumBinCount];
    const std::vector<float> pcm = stereoSine(4096, 20.5, 1.0f);
    spectrumOfPcm(pcm.data(), 4096, 3000, bins);
    EXPECT_GT(bins[20], 0.8f);
    EXPECT_LT(bins[31], 1e-3f);
    EXPECT_LT(bins[10], 1e-3f);
}

TEST(Spectrum, MonoMixOfOppositeChannelsIsSilent)
{
    float bins[spectrumBinCount];
    const std::vector<float> pcm = stereoSine(4096, 20.0, 1.0f, -1.0f);
    spectrumOfPcm(pcm.data(), 4096, 3000, bins);
    for (int k = 0; k < spectrumBinCount; ++k)
        ASSERT_LT(bins[k], 1e-6f) << "bin " << k;
}

TEST(Spectrum, SilenceBeforeTheStartAndFromTheEndOn)
{
    float bins[spectrumBinCount];
    const std::vector<float> pcm = stereoSine(4096, 20.0, 1.0f);
    for (int64_t end : {int64_t{-5}, int64_t{0}, int64_t{4096}, int64_t{10000}}) {
        for (float& b : bins)
            b = 9.0f;
        spectrumOfPcm(pcm.data(), 4096, end, bins);
        for (int k = 0; k < spectrumBinCount; ++k)
            ASSERT_EQ(bins[k], 0.0f) << "end " << end << " bin " << k;
    }
    // Half the window lies before the first sample: the tone fills the
    // window's second half, which carries half its weight.
    spectrumOfPcm(pcm.data(), 4096, spectrumWindow / 2, bins);
    EXPECT_NEAR(bins[20], 0.5f, 0.02f);
}

TEST(Mixing, VolumeStartAndEndOfAChannel)
{
    SoundChannel channel;
    channel.pcm.assign(8, 1.0f);  // four frames
    channel.startFrame = 2;
    channel.volume = 0.5f;
    float out[16] = {};
    mixChannel(channel, 0, out, 8);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(out[i], 0.0f) << "a channel that does not play adds nothing";

    channel.playing = true;
    mixChannel(channel, 0, out, 8);
    const float expected[8] = {0.0f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(out[2 * i], expected[i]) << "frame " << i;
        EXPECT_EQ(out[2 * i + 1], expected[i]) << "frame " << i;
    }

    // A later block picks up where the channel is.
    float later[4] = {};
    mixChannel(channel, 5, later, 2);
    EXPECT_EQ(later[0], 0.5f);
    EXPECT_EQ(later[2], 0.0f);
}
