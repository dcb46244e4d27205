#pragma once
#include <cstdint>
#include <string>
#include <vector>

class SoundLayer;

// The show's music as the sound layer decodes it, sample frames first ..
// end - 1 (interleaved stereo float at 44100 Hz); silence past the track's
// end. False with a few words in error when the file does not decode.
bool readShowAudio(SoundLayer& sound, uint64_t first, uint64_t end, std::vector<float>& pcm, std::string& error);
