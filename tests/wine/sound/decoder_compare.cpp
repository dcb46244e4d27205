// Decodes MP3 files with the Windows decoder and holds each against the
// Linux decoder's output of the same file (FILE.f32 beside FILE.mp3, from
// sound-linux-pcm): the same length and every 16-bit sample within the
// tolerance. When they differ it also says by how many frames the Windows
// output is shifted, which is how the codec's delay was measured.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "music/sound/sound_backend.h"

namespace {

// Wine's codec offers only 16-bit PCM from a libmpg123 built with nothing
// but its dithering synth, so its samples carry up to two steps of noise.
constexpr int tolerance = 2;

std::vector<int16_t> toSteps(const std::vector<float>& pcm)
{
    std::vector<int16_t> steps(pcm.size());
    for (size_t i = 0; i < pcm.size(); ++i)
        steps[i] = static_cast<int16_t>(std::lrint(std::clamp(pcm[i] * 32768.0f, -32768.0f, 32767.0f)));
    return steps;
}

bool readFloats(const std::string& path, std::vector<float>& samples)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    float block[4096];
    size_t got = 0;
    while ((got = std::fread(block, sizeof(float), 4096, file)) > 0)
        samples.insert(samples.end(), block, block + got);
    std::fclose(file);
    return true;
}

struct Difference {
    int largest = 0;
    double squares = 0.0;
    size_t count = 0;
};

// Frames from .. from+count of `a` against those of `b` moved by `shift`.
Difference compare(const std::vector<int16_t>& a, const std::vector<int16_t>& b, long shift, size_t from, size_t count)
{
    Difference d;
    for (size_t i = from; i < from + count && 2 * i + 1 < a.size(); ++i) {
        const long j = static_cast<long>(i) + shift;
        if (j < 0 || 2 * static_cast<size_t>(j) + 1 >= b.size())
            continue;
        for (size_t c = 0; c < 2; ++c) {
            const int step = std::abs(a[2 * i + c] - b[2 * static_cast<size_t>(j) + c]);
            d.largest = std::max(d.largest, step);
            d.squares += static_cast<double>(step) * step;
            ++d.count;
        }
    }
    return d;
}

bool check(const char* mp3)
{
    std::vector<float> decoded;
    const char* why = "";
    if (!decodeMp3File(mp3, decoded, why)) {
        std::printf("FAIL %s: the Windows decoder says it %s\n", mp3, why);
        return false;
    }
    const std::string reference = std::string(mp3).substr(0, std::string(mp3).rfind('.')) + ".f32";
    std::vector<float> linuxPcm;
    if (!readFloats(reference, linuxPcm)) {
        std::printf("FAIL %s cannot be read\n", reference.c_str());
        return false;
    }
    const std::vector<int16_t> windows = toSteps(decoded);
    const std::vector<int16_t> linux = toSteps(linuxPcm);
    const size_t frames = std::min(windows.size(), linux.size()) / 2;
    const Difference d = compare(windows, linux, 0, 0, frames);
    const bool ok = d.largest <= tolerance && windows.size() == linux.size();
    std::printf("%s %s: Windows %zu frames, Linux %zu frames, largest difference %d steps (RMS %.2f, allowed %d)\n",
                ok ? "ok  " : "FAIL", mp3, windows.size() / 2, linux.size() / 2, d.largest,
                std::sqrt(d.squares / static_cast<double>(std::max<size_t>(d.count, 1))), tolerance);
    if (ok)
        return true;
    // Over a stretch from the middle, the shift that fits best.
    const size_t stretch = std::min<size_t>(frames / 2, 8192);
    long best = 0;
    int bestLargest = d.largest;
    for (long shift = -4096; shift <= 4096; ++shift) {
        const int largest = compare(windows, linux, shift, frames / 4, stretch).largest;
        if (largest < bestLargest) {
            bestLargest = largest;
            best = shift;
        }
    }
    std::printf("     best fit: Windows frame i is Linux frame i%+ld (largest difference %d)\n", best, bestLargest);
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: sound-decoder-compare FILE.mp3... (each with FILE.f32 beside it)\n");
        return 2;
    }
    int failures = 0;
    for (int i = 1; i < argc; ++i)
        failures += check(argv[i]) ? 0 : 1;
    return failures == 0 ? 0 : 1;
}
