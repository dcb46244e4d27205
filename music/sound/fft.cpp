#include "music/sound/fft.h"

#include <cmath>
#include <utility>

void fftRadix2(std::complex<float>* data, size_t size)
{
    if (size < 2)
        return;
    // Bit-reversal permutation, then butterflies of growing span.
    for (size_t i = 1, j = 0; i < size; ++i) {
        size_t bit = size >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j |= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    const double pi = 3.14159265358979323846;
    for (size_t span = 2; span <= size; span <<= 1) {
        const size_t half = span / 2;
        // The twiddles in double, so the error does not grow with the span.
        const double step = -2.0 * pi / static_cast<double>(span);
        for (size_t k = 0; k < half; ++k) {
            const std::complex<float> w(static_cast<float>(std::cos(step * k)),
                                        static_cast<float>(std::sin(step * k)));
            for (size_t start = 0; start < size; start += span) {
                const std::complex<float> a = data[start + k];
                const std::complex<float> b = data[start + k + half] * w;
                data[start + k] = a + b;
                data[start + k + half] = a - b;
            }
        }
    }
}
