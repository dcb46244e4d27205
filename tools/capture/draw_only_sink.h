#pragma once
#include <cstdint>
#include <memory>

#include "tools/capture/video_sink.h"

// The video's drawing without its file: each frame is read back as for a
// video and dropped, which measures how fast a capture can go here.
std::unique_ptr<VideoSink> makeDrawOnlySink(int32_t width, int32_t height);
