#include "music/sound/fft.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

// e^(-2 pi i k / size) for k < size / 2, worked out in double once per size
// and thread, so the error does not grow with the span and a frame's FFT
// costs no sines.
const std::vector<std::complex<float>>& twiddles(size_t size)
{
    thread_local std::vector<std::complex<float>> table;
    thread_local size_t tableSize = 0;
    if (tableSize != size) {
        const double pi = 3.14159265358979323846;
        table.resize(size / 2);
        for (size_t k = 0; k < size / 2; ++k)
            table[k] = std::complex<float>(static_cast<float>(std::cos(-2.0 * pi * k / size)),
                                           static_cast<float>(std::sin(-2.0 * pi * k / size)));
        tableSize = size;
    }
    return table;
}

}  // namespace

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
    const std::vector<std::complex<float>>& w = twiddles(size);
    for (size_t span = 2; span <= size; span <<= 1) {
        const size_t half = span / 2;
        const size_t stride = size / span;
        for (size_t start = 0; start < size; start += span) {
            for (size_t k = 0; k < half; ++k) {
                const std::complex<float> a = data[start + k];
                const std::complex<float> b = data[start + k + half] * w[k * stride];
                data[start + k] = a + b;
                data[start + k + half] = a - b;
            }
        }
    }
}
