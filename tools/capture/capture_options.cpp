#include "tools/capture/capture_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "shell/aspect_code.h"
#include "shell/show_run.h"

namespace {

// A whole decimal number in [low, high]; nothing else may follow it.
bool parseNumber(const char* text, long low, long high, int32_t& value)
{
    if (!text || !*text || !(*text >= '0' && *text <= '9'))
        return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool parseTimes(const std::string& text, std::vector<int32_t>& times, std::string& error)
{
    times.clear();
    size_t begin = 0;
    for (;;) {
        const size_t comma = text.find(',', begin);
        const std::string item = text.substr(begin, comma == std::string::npos ? std::string::npos : comma - begin);
        int32_t t = 0;
        if (!parseNumber(item.c_str(), 0, showEndTime, t)) {
            error = "--at: '" + item + "' is not a show time in ms from 0 to 92000";
            return false;
        }
        if (!times.empty() && t <= times.back()) {
            error = "--at: times must be in increasing order (" + item + " after " + std::to_string(times.back()) + ")";
            return false;
        }
        times.push_back(t);
        if (comma == std::string::npos)
            return true;
        begin = comma + 1;
    }
}

bool parseSize(const std::string& text, CaptureOptions& options, std::string& error)
{
    const size_t x = text.find('x');
    if (x == std::string::npos ||
        !parseNumber(text.substr(0, x).c_str(), 16, 8192, options.width) ||
        !parseNumber(text.substr(x + 1).c_str(), 16, 8192, options.height)) {
        error = "--size: '" + text + "' is not WIDTHxHEIGHT with sides from 16 to 8192";
        return false;
    }
    return true;
}

bool parseAspect(const std::string& text, CaptureOptions& options, std::string& error)
{
    static const struct {
        const char* name;
        int32_t code;
    } ratios[] = {{"4:3", Ratio4x3}, {"5:4", Ratio5x4}, {"16:9", Ratio16x9}, {"16:10", Ratio16x10}};
    for (const auto& ratio : ratios) {
        if (text == ratio.name) {
            options.aspect = ratio.code;
            return true;
        }
    }
    error = "--aspect: '" + text + "' is not one of 4:3, 5:4, 16:9, 16:10";
    return false;
}

}  // namespace

const char* captureUsage()
{
    return "usage: duskwheel-capture --at MS[,MS...] [--size WxH] [--aspect 4:3|5:4|16:9|16:10] [--fps N] "
           "[--out DIR]";
}

bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options, std::string& error)
{
    options = CaptureOptions{};
    bool haveTimes = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name != "--at" && name != "--size" && name != "--aspect" && name != "--fps" && name != "--out") {
            error = "unknown argument '" + name + "'";
            return false;
        }
        if (i + 1 >= argc) {
            error = name + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (name == "--at") {
            if (!parseTimes(value, options.at, error))
                return false;
            haveTimes = true;
        } else if (name == "--size") {
            if (!parseSize(value, options, error))
                return false;
        } else if (name == "--aspect") {
            if (!parseAspect(value, options, error))
                return false;
        } else if (name == "--fps") {
            if (!parseNumber(value.c_str(), 1, 1000, options.fps)) {
                error = "--fps: '" + value + "' is not a frame rate from 1 to 1000";
                return false;
            }
        } else {
            if (value.empty()) {
                error = "--out: the folder name is empty";
                return false;
            }
            options.out = value;
        }
    }
    if (!haveTimes) {
        error = "--at is required: the show times to write, in ms";
        return false;
    }
    return true;
}

uint32_t virtualTicks(uint64_t frame, int32_t fps)
{
    return static_cast<uint32_t>(frame * 1000u / static_cast<uint64_t>(fps));
}

uint64_t sampleFrameAt(int32_t showTimeMs)
{
    return static_cast<uint64_t>(showTimeMs < 0 ? 0 : showTimeMs) * 44100u / 1000u;
}
