#pragma once
#include <cstdint>
#include <vector>

// Interleaved stereo float at `fromRate` to the show's 44100 Hz, band-limited
// (windowed sinc), so that a track sampled at any MPEG rate plays at the right
// pitch and speed and sounds the same from both builds' decoders. Output
// frame n is input time n x fromRate / 44100; there are frames x 44100 /
// fromRate of them, rounded to the nearest.
void resampleTo44100(const std::vector<float>& in, uint32_t fromRate, std::vector<float>& out);
