#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/show_assets.h"
#include "assets/texture_registry.h"
#include "tests/gl/gl_test_context.h"
#include "tools/make-data/default_images.h"
#include "tools/make-data/pcx_writer.h"

namespace {

// Runs the test from a fresh folder of its own, holding an empty Data/.
struct ScratchFolder {
    std::string previous;
    std::string path;
    ScratchFolder()
    {
        char here[4096];
        previous = getcwd(here, sizeof here) ? here : ".";
        char name[] = "/tmp/duskwheel-assets-XXXXXX";
        path = mkdtemp(name) ? name : "";
        EXPECT_FALSE(path.empty());
        EXPECT_EQ(chdir(path.c_str()), 0);
        EXPECT_EQ(mkdir("Data", 0755), 0);
    }
    ~ScratchFolder()
    {
        EXPECT_EQ(chdir(previous.c_str()), 0);
        std::system(("rm -rf '" + path + "'").c_str());
    }
};

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

bool allZero(const TextureEntry& entry)
{
    const size_t bytes = static_cast<size_t>(entry.width) * entry.height * 4;
    for (size_t i = 0; i < bytes; ++i)
        if (entry.pixels[i] != 0)
            return false;
    return true;
}

}  // namespace

TEST(ShowTextures, SevenTexturesInOrderWhateverTheFolderHolds)
{
    glTestContext();
    ScratchFolder folder;
    std::vector<DefaultImage> images;
    ASSERT_TRUE(drawDefaultImages(images));
    // The logo as make-data draws it; a dot of the wrong size; nothing else.
    writeFile("Data/dwl.p", encodePcx(images[1].picture));
    writeFile("Data/dot.p", encodePcx(GreyImage(128, 128)));
    // A text sheet cut off inside its header, and a folder where credits go.
    std::vector<unsigned char> text = encodePcx(images[2].picture);
    text.resize(100);
    writeFile("Data/text1.p", text);
    ASSERT_EQ(mkdir("Data/credits.p", 0755), 0);

    TextureRegistry textures;
    PicturePrefetch none;
    ::testing::internal::CaptureStderr();
    loadShowTextures(textures, none);
    const std::string complaints = ::testing::internal::GetCapturedStderr();

    int index = 0;
    for (TextureNode* node = textures.head; node; node = node->next, ++index) {
        ASSERT_LT(index, showImageCount);
        EXPECT_STREQ(node->entry->name, showImages[index].texture);
        EXPECT_EQ(node->entry->width, showImages[index].width);
        EXPECT_EQ(node->entry->height, showImages[index].height);
    }
    EXPECT_EQ(index, showImageCount);

    const TextureEntry* logo = textures.find("DUSKWHEEL");
    ASSERT_NE(logo, nullptr);
    size_t mismatches = 0;
    for (size_t i = 0; i < images[1].picture.levels.size(); ++i)
        mismatches += logo->pixels[i * 4 + 3] != images[1].picture.levels[i];
    EXPECT_EQ(mismatches, 0u);

    EXPECT_TRUE(allZero(*textures.find("DOT")));
    EXPECT_TRUE(allZero(*textures.find("OVERLAY")));
    EXPECT_TRUE(allZero(*textures.find("TEXT")));
    EXPECT_TRUE(allZero(*textures.find("CREDITS")));
    // A line for each file that is there but unusable; missing files are not worth a word.
    EXPECT_EQ(complaints,
              "duskwheel: Data/text1.p is not a PCX picture that can be read; TEXT left empty\n"
              "duskwheel: Data/dot.p is 128 x 128, its texture DOT is 256 x 256; left empty\n"
              "duskwheel: Data/credits.p is not a PCX picture that can be read; CREDITS left empty\n");
}
