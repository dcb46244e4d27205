#include "music/sound/spectrum.h"

#include <cmath>
#include <complex>

#include "music/sound/fft.h"

namespace {

struct HannWindow {
    float w[spectrumWindow];
    HannWindow()
    {
        // Periodic form: its sum is exactly N/2, which the 4/N scale assumes.
        const double pi = 3.14159265358979323846;
        for (int n = 0; n < spectrumWindow; ++n)
            w[n] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * pi * n / spectrumWindow));
    }
};

const HannWindow hann;

}  // namespace

void spectrumOfPcm(const float* pcm, uint64_t frameCount, int64_t end, float* bins, int binCount)
{
    if (end <= 0 || static_cast<uint64_t>(end) >= frameCount) {
        for (int k = 0; k < binCount; ++k)
            bins[k] = 0.0f;
        return;
    }
    std::complex<float> x[spectrumWindow];
    const int64_t first = end - spectrumWindow;
    for (int n = 0; n < spectrumWindow; ++n) {
        const int64_t frame = first + n;
        float mono = 0.0f;
        if (frame >= 0)
            mono = 0.5f * (pcm[2 * frame] + pcm[2 * frame + 1]);
        x[n] = std::complex<float>(mono * hann.w[n], 0.0f);
    }
    fftRadix2(x, spectrumWindow);
    const float scale = 4.0f / spectrumWindow;
    for (int k = 0; k < binCount; ++k)
        bins[k] = scale * std::abs(x[k]);
}
