#pragma once
#include <chrono>
#include <cstdint>
#include <string>

// One line on stderr that updates while frames are drawn: percent, frame,
// frames a second and the time left. Shown only where someone watches.
class ProgressLine {
public:
    ProgressLine(bool shown, uint64_t total);
    // Redraws, at most a few times a second, and always for the last frame.
    void update(uint64_t done);
    // Clears the line so that what follows starts on a clean one.
    void end();
    // Counts from now: the first frame, after the window and the loading.
    void restart();
    double seconds() const;

private:
    using Clock = std::chrono::steady_clock;
    bool shown;
    bool drawn = false;
    uint64_t total;
    Clock::time_point start = Clock::now();
    Clock::time_point lastDrawn = start;
};

// "  42%  frame 2318 of 5520  48.3 fps  1:06 left"
std::string progressText(uint64_t done, uint64_t total, double seconds);
// "0:05", "1:32", "1:02:03"
std::string durationText(double seconds);
// "812 B", "412 kB", "38.5 MB"
std::string sizeText(uint64_t bytes);
