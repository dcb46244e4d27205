#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// Encodes interleaved stereo float at `rate` (44100 Hz unless said) into a
// constant-bit-rate MP3 with a LAME tag (unless lameTag is false), so
// decoders can cut the encoder's delay and padding. progress, when given,
// hears the share done (0..1) now and then.
bool encodeMp3(const std::vector<float>& pcm, int kbps, std::vector<unsigned char>& mp3,
               const std::function<void(double)>& progress = {}, int rate = 44100, bool lameTag = true);
