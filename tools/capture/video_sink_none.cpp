#include "tools/capture/video_sink.h"

// The Windows builds have no FFmpeg: they write PNG frames only.
std::unique_ptr<VideoSink> openVideoSink(const VideoPlan&, SoundLayer&, std::string& error, int& exitCode)
{
    error = "--video needs the Linux build of duskwheel-capture; this one writes PNG frames (--at)";
    exitCode = 2;
    return nullptr;
}
