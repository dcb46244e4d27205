#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "tools/capture/capture_options.h"

class SoundLayer;

// What a video file is to hold: frames at the rate, the first showing
// firstFrameMs, and the show's music from firstFrameMs to endMs.
struct VideoPlan {
    std::string path;
    int32_t width = 0;
    int32_t height = 0;
    FrameRate rate;
    int32_t crf = 17;
    int32_t firstFrameMs = 0;
    int32_t endMs = 0;
};

// A video file being written. Frames are encoded on a thread of its own
// while the next ones are drawn. Destroyed unfinished, it removes its file.
class VideoSink {
public:
    virtual ~VideoSink() = default;

    // Room for the next frame: width x height x 4 bytes, blue first, bottom
    // row first. Waits while the encoder is behind; null once writing failed.
    virtual uint8_t* frameBuffer() = 0;
    // The buffer from frameBuffer, filled.
    virtual void submitFrame() = 0;
    // Why writing failed, or empty while all is well.
    virtual std::string failure() = 0;
    // Encodes what is queued and closes the file so that it plays, with the
    // music under the frames that came, to endMs at most. False, with the
    // file removed, when that fails.
    virtual bool finish(std::string& error) = 0;
};

// Opens the file and the encoders, with the music taken from the given sound
// layer's decoder. Null with a one-line reason and the exit code: 2 for what
// was asked (a file that cannot be written ...), 1 for anything else. The
// builds without video answer every plan that way.
std::unique_ptr<VideoSink> openVideoSink(const VideoPlan& plan, SoundLayer& sound, std::string& error,
                                         int& exitCode);
