#pragma once
#include <functional>
#include <vector>

// The default show track, interleaved stereo at 44100 Hz, 95 s long, its
// sections laid on the show's timeline. stage, when given, hears the name
// of each part as it is rendered.
std::vector<float> composeDefaultTrack(const std::function<void(const char*)>& stage = {});
