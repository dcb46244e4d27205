#pragma once
#include <complex>
#include <cstddef>

// In-place forward DFT, X[k] = sum x[n] e^(-2 pi i k n / size), for a power
// of two size. The Windows build has no FFT library it can link, so this is
// our own.
void fftRadix2(std::complex<float>* data, size_t size);
