#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the frame renderer was asked for on its command line.
struct CaptureOptions {
    std::vector<int32_t> at;  // show times in ms, strictly increasing
    int32_t width = 1280;
    int32_t height = 800;
    int32_t aspect = 4;  // Ratio16x10
    int32_t fps = 60;
    std::string out = ".";
};

// False with a one-line reason in error for anything it cannot use.
bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options, std::string& error);

// The virtual millisecond clock at a frame: frames step from 0 at fps, each
// reading truncated to whole milliseconds as the live clock counts them.
uint32_t virtualTicks(uint64_t frame, int32_t fps);

// The sample frame (44100 Hz) that is heard at a show time.
uint64_t sampleFrameAt(int32_t showTimeMs);

const char* captureUsage();
