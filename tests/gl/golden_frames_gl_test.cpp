// The deterministic capture of the show against the golden frames kept in
// tests/golden (made anew only on purpose, by scripts/make-golden).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <stb_image.h>  // built in capture_gl_test.cpp
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

const std::string buildDir = DUSK_BUILD_DIR;
const std::string sourceFile = __FILE__;
const std::string goldenDir = sourceFile.substr(0, sourceFile.rfind("/gl/")) + "/golden";

// A channel may differ by this much anywhere; a few more pixels may differ
// by more (edges rasterised a little differently by another Mesa).
constexpr int channelTolerance = 2;
constexpr double pixelShare = 0.001;

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    bool load(const std::string& path)
    {
        int channels = 0;
        unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
        if (!pixels)
            return false;
        rgb.assign(pixels, pixels + static_cast<size_t>(width) * height * 3);
        stbi_image_free(pixels);
        return true;
    }
};

std::vector<int> goldenTimes()
{
    std::vector<int> times;
    std::ifstream list(goldenDir + "/times");
    std::string line;
    while (std::getline(list, line))
        if (!line.empty() && line[0] != '#')
            times.push_back(std::atoi(line.c_str()));
    return times;
}

}  // namespace

TEST(GoldenFrames, TheCaptureMatchesEveryGoldenFrame)
{
    const std::vector<int> times = goldenTimes();
    ASSERT_GE(times.size(), 10u) << "no list of golden frames in " << goldenDir;
    std::string at;
    for (int t : times)
        at += (at.empty() ? "" : ",") + std::to_string(t);
    // In the build folder: other builds' tests may run at the same time.
    const std::string out = buildDir + "/golden-capture";
    const std::string diffDir = buildDir + "/golden-diff";
    std::system(("rm -rf '" + out + "' '" + diffDir + "' && mkdir -p '" + out + "'").c_str());
    const std::string capture = "cd '" + buildDir + "' && ./duskwheel-capture --at " + at +
                                " --size 320x200 --out '" + out + "' >/dev/null";
    ASSERT_EQ(std::system(capture.c_str()), 0) << capture;

    for (int t : times) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%05d.png", t);
        SCOPED_TRACE(name);
        Picture got, want;
        ASSERT_TRUE(want.load(goldenDir + "/" + name)) << "no golden frame; scripts/make-golden makes them";
        ASSERT_TRUE(got.load(out + "/" + name));
        ASSERT_EQ(got.width, want.width);
        ASSERT_EQ(got.height, want.height);
        std::vector<unsigned char> diff(got.rgb.size());
        int64_t off = 0;
        int largest = 0;
        size_t where = 0;
        for (size_t i = 0; i < got.rgb.size(); i += 3) {
            int pixelLargest = 0;
            for (size_t c = 0; c < 3; ++c) {
                const int d = std::abs(got.rgb[i + c] - want.rgb[i + c]);
                diff[i + c] = static_cast<unsigned char>(std::min(255, 8 * d));
                pixelLargest = std::max(pixelLargest, d);
            }
            off += pixelLargest > channelTolerance;
            if (pixelLargest > largest) {
                largest = pixelLargest;
                where = i / 3;
            }
        }
        const int64_t allowed = static_cast<int64_t>(pixelShare * got.width * got.height);
        if (off > allowed) {
            std::system(("mkdir -p '" + diffDir + "'").c_str());
            stbi_write_png((diffDir + "/" + name).c_str(), got.width, got.height, 3, diff.data(), got.width * 3);
        }
        EXPECT_LE(off, allowed) << name << " (show time " << t << " ms): " << off << " pixels differ by more than "
                                << channelTolerance << ", the largest by " << largest << " at "
                                << where % got.width << "," << where / got.width << " (from the top); "
                                << "differences x 8 in " << diffDir << "/" << name;
    }
}
