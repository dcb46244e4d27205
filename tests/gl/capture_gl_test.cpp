#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <stb_image.h>

namespace {

const std::string buildDir = DUSK_BUILD_DIR;

std::string freshFolder(const std::string& name)
{
    const std::string dir = ::testing::TempDir() + "duskwheel-capture-" + name;
    std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
    return dir;
}

// Runs the frame renderer from the build folder, where Data/ lives.
int capture(const std::string& args)
{
    const std::string command = "cd '" + buildDir + "' && ./duskwheel-capture " + args + " >/dev/null";
    return std::system(command.c_str());
}

std::vector<char> bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(Capture, LetterboxBarsAreBlackAndRunsRepeatByteForByte)
{
    ASSERT_FALSE(bytesOf(buildDir + "/Data/music.mp3").empty())
        << "the frame renderer plays Data/music.mp3: run `make data` (or make-data Data in the build folder) first";
    const std::string first = freshFolder("a");
    const std::string second = freshFolder("b");
    const std::string args = "--at 500,3000 --size 1280x1024 --fps 20 --out ";
    ASSERT_EQ(capture(args + first), 0);
    ASSERT_EQ(capture(args + second), 0);

    for (const char* name : {"/frame_00500.png", "/frame_03000.png"}) {
        SCOPED_TRACE(name);
        const std::vector<char> a = bytesOf(first + name);
        ASSERT_FALSE(a.empty());
        EXPECT_TRUE(a == bytesOf(second + name));
    }

    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* pixels = stbi_load((first + "/frame_03000.png").c_str(), &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    ASSERT_EQ(width, 1280);
    ASSERT_EQ(height, 1024);
    // A 1280 x 800 picture in the middle: 112 black rows above and below.
    long litInBars = 0;
    long litInPicture = 0;
    for (int y = 0; y < height; ++y) {
        const bool bar = y < 112 || y >= 912;
        for (int i = 0; i < width * 3; ++i) {
            if (pixels[(static_cast<size_t>(y) * width) * 3 + i] != 0)
                ++(bar ? litInBars : litInPicture);
        }
    }
    stbi_image_free(pixels);
    EXPECT_EQ(litInBars, 0);
    EXPECT_GT(litInPicture, 1280L * 800);
}

#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
