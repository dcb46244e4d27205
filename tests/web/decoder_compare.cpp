// Holds the web build's decoder output of each MP3 (FILE.web.f32, from
// decoder.html) against the Linux decoder's (FILE.f32, from sound-linux-pcm):
// the same length and every 16-bit sample within two steps, aligned to the
// sample. When they differ it says by how many frames the web output is
// shifted, which is how a browser's own cut shows.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Two decoders of the same frames differ in how they round; more than this
// is a different signal.
constexpr int tolerance = 2;

bool readSteps(const std::string& path, std::vector<int>& steps)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    float block[4096];
    size_t got = 0;
    while ((got = std::fread(block, sizeof(float), 4096, file)) > 0)
        for (size_t i = 0; i < got; ++i)
            steps.push_back(static_cast<int>(std::lrint(std::clamp(block[i] * 32768.0f, -32768.0f, 32767.0f))));
    std::fclose(file);
    return true;
}

// The largest difference over frames from .. from + count of a against
// those of b moved by shift.
int largestDifference(const std::vector<int>& a, const std::vector<int>& b, long shift, size_t from, size_t count)
{
    int largest = 0;
    for (size_t i = from; i < from + count && 2 * i + 1 < a.size(); ++i) {
        const long j = static_cast<long>(i) + shift;
        if (j < 0 || 2 * static_cast<size_t>(j) + 1 >= b.size())
            continue;
        for (size_t c = 0; c < 2; ++c)
            largest = std::max(largest, std::abs(a[2 * i + c] - b[2 * static_cast<size_t>(j) + c]));
    }
    return largest;
}

bool check(const std::string& mp3)
{
    const std::string stem = mp3.substr(0, mp3.rfind('.'));
    std::vector<int> web, linux;
    if (!readSteps(stem + ".web.f32", web) || !readSteps(stem + ".f32", linux)) {
        std::printf("FAIL %s: no PCM from %s\n", mp3.c_str(), web.empty() ? "the web decoder" : "the Linux decoder");
        return false;
    }
    const size_t frames = std::min(web.size(), linux.size()) / 2;
    const int largest = largestDifference(web, linux, 0, 0, frames);
    const bool ok = largest <= tolerance && web.size() == linux.size();
    std::printf("%s %s: web %zu frames, Linux %zu frames, largest difference %d steps (allowed %d)\n",
                ok ? "ok  " : "FAIL", mp3.c_str(), web.size() / 2, linux.size() / 2, largest, tolerance);
    if (ok)
        return true;
    const size_t stretch = std::min<size_t>(frames / 2, 8192);
    long best = 0;
    int bestLargest = largest;
    for (long shift = -4096; shift <= 4096; ++shift) {
        const int d = largestDifference(web, linux, shift, frames / 4, stretch);
        if (d < bestLargest) {
            bestLargest = d;
            best = shift;
        }
    }
    std::printf("     best fit: web frame i is Linux frame i%+ld (largest difference %d)\n", best, bestLargest);
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: web-decoder-compare FILE.mp3... (FILE.f32 and FILE.web.f32 beside each)\n");
        return 2;
    }
    int failures = 0;
    for (int i = 1; i < argc; ++i)
        failures += check(argv[i]) ? 0 : 1;
    return failures == 0 ? 0 : 1;
}
