#pragma once
#include <cstdint>

#include "music/sound/sound.h"

// The spectrum of the spectrumWindow frames of interleaved stereo pcm that
// end just before frame end: mixed to mono as (L+R)/2, Hann window, 4/N x |X[k]|
// for k = 0..511. The factor 4/N undoes the window's gain, so a full-scale
// sine at a bin centre reads 1.0. Frames outside 0..frameCount count as
// silence; at or past the end of the track every bin is 0. Only the first
// binCount magnitudes are written, each the same as in the whole spectrum.
void spectrumOfPcm(const float* pcm, uint64_t frameCount, int64_t end, float* bins,
                   int binCount = spectrumBinCount);
