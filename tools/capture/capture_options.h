#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "run/virtual_clock.h"

// What the frame renderer was asked for on its command line.
struct CaptureOptions {
    std::vector<int32_t> at;  // PNG frames: show times in ms, strictly increasing
    std::string video;        // or a video file (.mp4 or .mkv); empty for PNG frames
    bool drawOnly = false;    // or draw and read back the video's frames, writing nothing
    int32_t from = 0;         // the video's (or --draw-only's) show times, [from, to)
    int32_t to = 92000;
    int32_t crf = 17;         // x264's constant quality; 17 looks like the rendered frames
    int32_t width = 1280;
    int32_t height = 800;
    int32_t aspect = 4;  // Ratio16x10
    FrameRate fps;
    std::string out = ".";
    bool quiet = false;
    bool help = false;  // --help: print the usage and nothing else
};

// False with a one-line reason in error for anything it cannot use.
bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options, std::string& error);

// A frame rate above 0 and up to 1000: "60", "30000/1001", "12.5". A decimal
// that is an NTSC rate rounded ("29.97", "59.94", "23.976") means that rate
// (30000/1001 ...), as it does on every video tool.
bool parseFrameRate(const std::string& text, FrameRate& rate);

// Sample frames in the first count frames of a video at the rate.
uint64_t samplesInFrames(uint64_t count, FrameRate rate);

// Whether the driver's largest renderbuffer and viewport hold width x height.
bool fitsDriverLimits(int32_t width, int32_t height, int32_t maxRenderbuffer, const int32_t maxViewport[2]);

const char* captureUsage();
