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
    // As float pairs, the product written out: the same sums as
    // std::complex's, without its check for infinities, which kept this
    // loop slow.
    float* d = reinterpret_cast<float*>(data);
    const float* wf = reinterpret_cast<const float*>(w.data());
    for (size_t span = 2; span <= size; span <<= 1) {
        const size_t half = span / 2;
        const size_t stride = size / span;
        for (size_t start = 0; start < size; start += span) {
            for (size_t k = 0; k < half; ++k) {
                float* a = d + 2 * (start + k);
                float* t = d + 2 * (start + k + half);
                const float wr = wf[2 * k * stride];
                const float wi = wf[2 * k * stride + 1];
                const float br = t[0] * wr - t[1] * wi;
                const float bi = t[0] * wi + t[1] * wr;
                const float ar = a[0];
                const float ai = a[1];
                a[0] = ar + br;
                a[1] = ai + bi;
                t[0] = ar - br;
                t[1] = ai - bi;
            }
        }
    }
}
