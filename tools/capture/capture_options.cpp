#include "tools/capture/capture_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <numeric>

#include "music/sound/sound.h"
#include "launcher/aspect_code.h"
#include "run/show_run.h"

namespace {

constexpr int32_t largestSide = 32768;  // the driver's own limit is checked once it is open
constexpr int64_t fastestRate = 1000;   // one frame per millisecond of the clock

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A whole decimal number in [low, high]; nothing else may follow it.
bool parseNumber(const char* text, long low, long high, int32_t& value)
{
    if (!text || !isDigit(*text))
        return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

// Digits only, at most 12 of them, so that sums and products stay in 64 bits.
bool parseDigits(const std::string& text, int64_t& value)
{
    if (text.empty() || text.size() > 12)
        return false;
    value = 0;
    for (char c : text) {
        if (!isDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

int64_t roundedQuotient(int64_t a, int64_t b)
{
    return (2 * a + b) / (2 * b);
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
        !parseNumber(text.substr(0, x).c_str(), 16, largestSide, options.width) ||
        !parseNumber(text.substr(x + 1).c_str(), 16, largestSide, options.height)) {
        error = "--size: '" + text + "' is not WIDTHxHEIGHT with sides from 16 to " + std::to_string(largestSide);
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

bool endsWithNoCase(const std::string& text, const char* suffix)
{
    const size_t n = std::strlen(suffix);
    if (text.size() <= n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        char c = text[text.size() - n + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

bool checkVideo(const CaptureOptions& options, std::string& error)
{
    if (!options.drawOnly && !endsWithNoCase(options.video, ".mp4") && !endsWithNoCase(options.video, ".mkv")) {
        error = "--video: '" + options.video + "' must end in .mp4 or .mkv";
        return false;
    }
    // 4:2:0 video halves both sides for its colour.
    if (!options.drawOnly && (options.width % 2 != 0 || options.height % 2 != 0)) {
        error = "--size: a video needs even sides, not " + std::to_string(options.width) + "x" +
                std::to_string(options.height);
        return false;
    }
    if (options.from >= options.to) {
        error = "--from (" + std::to_string(options.from) + " ms) must be before --to (" +
                std::to_string(options.to) + " ms)";
        return false;
    }
    if (framesBefore(options.to, options.fps) == framesBefore(options.from, options.fps)) {
        error = "no frame falls between --from and --to at this frame rate";
        return false;
    }
    return true;
}

}  // namespace

bool parseFrameRate(const std::string& text, FrameRate& rate)
{
    int64_t num = 0;
    int64_t den = 1;
    const size_t slash = text.find('/');
    const size_t point = text.find('.');
    if (slash != std::string::npos) {
        if (!parseDigits(text.substr(0, slash), num) || !parseDigits(text.substr(slash + 1), den) || den == 0)
            return false;
    } else if (point != std::string::npos) {
        const std::string fraction = text.substr(point + 1);
        int64_t whole = 0;
        int64_t part = 0;
        if (fraction.size() > 6 || !parseDigits(text.substr(0, point), whole) || !parseDigits(fraction, part) ||
            whole > fastestRate)
            return false;
        den = 1;
        for (size_t i = 0; i < fraction.size(); ++i)
            den *= 10;
        num = whole * den + part;
        // The NTSC rates are k x 1000/1001; a decimal that rounds one of them
        // to its own number of places stands for it.
        const int64_t k = roundedQuotient(num * 1001, den * 1000);
        if (part != 0 && k > 0 && roundedQuotient(k * 1000 * den, 1001) == num) {
            num = k * 1000;
            den = 1001;
        }
    } else if (!parseDigits(text, num)) {
        return false;
    }
    if (num <= 0 || num > fastestRate * den)
        return false;
    const int64_t common = std::gcd(num, den);
    // A finer fraction would only overflow the clock's arithmetic.
    if (den / common > 1000000)
        return false;
    rate.num = num / common;
    rate.den = den / common;
    return true;
}

const char* captureUsage()
{
    return "usage: duskwheel-capture --at MS[,MS...] [--out DIR] [options]   PNG frames at those show times\n"
           "       duskwheel-capture --video FILE.mp4|FILE.mkv [--from MS] [--to MS] [--crf N] [options]\n"
           "       duskwheel-capture --draw-only [--from MS] [--to MS] [options]   the video's drawing alone, "
           "for its speed\n"
           "options: --size WxH (default 1280x800)  --aspect 4:3|5:4|16:9|16:10 (default 16:10)\n"
           "         --fps N|N/M|N.N (default 60; 30000/1001, 59.94 ...)  --quiet  --help\n"
           "video: H.264 (--crf 0-51, default 17) with the music as AAC, show times [from, to) (default 0 to 92000)";
}

bool parseCaptureOptions(int argc, const char* const* argv, CaptureOptions& options, std::string& error)
{
    options = CaptureOptions{};
    bool haveTimes = false;
    bool haveRange = false;  // --from or --to: a video or --draw-only
    bool haveCrf = false;
    bool haveOut = false;
    // Asking for the usage wins over anything else on the line.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            options.help = true;
            return true;
        }
    }
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--quiet" || name == "--draw-only") {
            (name == "--quiet" ? options.quiet : options.drawOnly) = true;
            continue;
        }
        if (name != "--at" && name != "--size" && name != "--aspect" && name != "--fps" && name != "--out" &&
            name != "--video" && name != "--from" && name != "--to" && name != "--crf") {
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
            if (!parseFrameRate(value, options.fps)) {
                error = "--fps: '" + value + "' is not a frame rate above 0 and up to 1000 (60, 30000/1001, 59.94)";
                return false;
            }
        } else if (name == "--from" || name == "--to") {
            if (!parseNumber(value.c_str(), 0, showEndTime, name == "--from" ? options.from : options.to)) {
                error = name + ": '" + value + "' is not a show time in ms from 0 to 92000";
                return false;
            }
            haveRange = true;
        } else if (name == "--crf") {
            if (!parseNumber(value.c_str(), 0, 51, options.crf)) {
                error = "--crf: '" + value + "' is not a quality from 0 (lossless) to 51";
                return false;
            }
            haveCrf = true;
        } else if (name == "--video") {
            if (value.empty()) {
                error = "--video: the file name is empty";
                return false;
            }
            options.video = value;
        } else {
            if (value.empty()) {
                error = "--out: the folder name is empty";
                return false;
            }
            options.out = value;
            haveOut = true;
        }
    }
    const int modes = static_cast<int>(haveTimes) + static_cast<int>(!options.video.empty()) +
                      static_cast<int>(options.drawOnly);
    if (modes > 1) {
        error = "--at, --video and --draw-only do not go together: PNG frames, a video or the drawing alone";
        return false;
    }
    if (haveCrf && options.video.empty()) {
        error = "--crf goes with --video";
        return false;
    }
    if (haveTimes || (options.video.empty() && !options.drawOnly)) {
        if (!haveTimes) {
            error = "--at (the show times to write as PNG, in ms) or --video FILE is required";
            return false;
        }
        if (haveRange) {
            error = "--from and --to go with --video or --draw-only";
            return false;
        }
        return true;
    }
    if (haveOut) {
        error = "--out goes with --at; --video names its own file";
        return false;
    }
    return checkVideo(options, error);
}

uint64_t samplesInFrames(uint64_t count, FrameRate rate)
{
    return count * soundRate * static_cast<uint64_t>(rate.den) / static_cast<uint64_t>(rate.num);
}

bool fitsDriverLimits(int32_t width, int32_t height, int32_t maxRenderbuffer, const int32_t maxViewport[2])
{
    return width <= maxRenderbuffer && height <= maxRenderbuffer && width <= maxViewport[0] &&
           height <= maxViewport[1];
}
