#include "tools/capture/progress.h"

#include <cstdio>

#include "tools/capture/terminal.h"

std::string durationText(double seconds)
{
    const long whole = seconds < 0 ? 0 : static_cast<long>(seconds + 0.5);
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

std::string sizeText(uint64_t bytes)
{
    char text[32];
    if (bytes < 1000)
        std::snprintf(text, sizeof text, "%u B", static_cast<unsigned>(bytes));
    else if (bytes < 1000000)
        std::snprintf(text, sizeof text, "%.0f kB", bytes / 1e3);
    else
        std::snprintf(text, sizeof text, "%.1f MB", bytes / 1e6);
    return text;
}

std::string progressText(uint64_t done, uint64_t total, double seconds)
{
    const unsigned percent = total == 0 ? 100 : static_cast<unsigned>(done * 100 / total);
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    const std::string left = rate > 0 ? durationText(static_cast<double>(total - done) / rate) : "-:--";
    char text[128];
    std::snprintf(text, sizeof text, "%5u%%  frame %llu of %llu  %.1f fps  %s left", percent,
                  static_cast<unsigned long long>(done), static_cast<unsigned long long>(total), rate, left.c_str());
    return text;
}

ProgressLine::ProgressLine(bool shown, uint64_t total) : shown(shown && stderrIsTerminal()), total(total) {}

void ProgressLine::update(uint64_t done)
{
    if (!shown)
        return;
    const Clock::time_point now = Clock::now();
    if (done < total && drawn && now - lastDrawn < std::chrono::milliseconds(200))
        return;
    lastDrawn = now;
    drawn = true;
    // Blanks after the text wipe what a longer earlier line left.
    std::fprintf(stderr, "\r%s    ", progressText(done, total, seconds()).c_str());
    std::fflush(stderr);
}

void ProgressLine::end()
{
    if (!drawn)
        return;
    std::fprintf(stderr, "\r%70s\r", "");
    std::fflush(stderr);
    drawn = false;
}

void ProgressLine::restart()
{
    start = Clock::now();
    lastDrawn = start;
}

double ProgressLine::seconds() const
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}
