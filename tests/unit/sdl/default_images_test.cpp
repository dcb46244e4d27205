#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "assets/pcx_image.h"
#include "tools/make-data/default_images.h"
#include "tools/make-data/pcx_writer.h"
#include "tools/make-data/sheet_rows.h"

namespace {

// Drawn once: the fonts and the pictures are the same for every test.
const std::vector<DefaultImage>& defaultImages()
{
    static std::vector<DefaultImage> images;
    static bool drawn = drawDefaultImages(images);
    EXPECT_TRUE(drawn);
    return images;
}

const GreyImage& picture(const char* texture)
{
    for (const DefaultImage& image : defaultImages())
        if (std::strcmp(image.show->texture, texture) == 0)
            return image.picture;
    static GreyImage none;
    ADD_FAILURE() << "no picture for " << texture;
    return none;
}

int word(const std::vector<unsigned char>& file, size_t at)
{
    return file[at] | (file[at + 1] << 8);
}

bool rowInked(const GreyImage& image, int y)
{
    for (int x = 0; x < image.width; ++x)
        if (image.at(x, y) != 0)
            return true;
    return false;
}

// Checks that every band has lettering and that no lettering comes within
// `margin` rows of a band's edge or lies between bands: the card cuts a band
// with linear filtering, so ink at its edge would show on the neighbour's card.
void expectLettersInBands(const char* texture, const SheetRow* bands, int count, int margin)
{
    const GreyImage& sheet = picture(texture);
    ASSERT_GT(sheet.height, 0);
    std::vector<int> owner(sheet.height, -1);
    for (int b = 0; b < count; ++b) {
        const int top = static_cast<int>(std::ceil(bands[b].top * sheet.height)) + margin;
        const int bottom = static_cast<int>(std::floor(bands[b].bottom * sheet.height)) - margin;
        bool inked = false;
        for (int y = top; y < bottom; ++y) {
            owner[y] = b;
            inked = inked || rowInked(sheet, y);
        }
        EXPECT_TRUE(inked) << texture << " band " << b << " is empty";
    }
    for (int y = 0; y < sheet.height; ++y)
        if (owner[y] < 0) {
            EXPECT_FALSE(rowInked(sheet, y)) << texture << " has ink on row " << y << ", outside every band";
        }
}

}  // namespace

TEST(DefaultImages, EveryPictureHasItsTexturesSize)
{
    ASSERT_EQ(defaultImages().size(), static_cast<size_t>(showImageCount));
    for (const DefaultImage& image : defaultImages()) {
        EXPECT_EQ(image.picture.width, image.show->width) << image.show->texture;
        EXPECT_EQ(image.picture.height, image.show->height) << image.show->texture;
    }
    EXPECT_EQ(dataFileName(showImages[0]), "overlay.p");
}

TEST(DefaultImages, FilesCarryTheStandardHeaderAndReadBackExactly)
{
    for (const DefaultImage& image : defaultImages()) {
        const char* name = image.show->texture;
        const std::vector<unsigned char> file = encodePcx(image.picture);
        ASSERT_GT(file.size(), 128u + 769u) << name;
        EXPECT_EQ(file[0], 10) << name;
        EXPECT_EQ(file[1], 5) << name;
        EXPECT_EQ(file[2], 1) << name;
        EXPECT_EQ(file[3], 8) << name;
        EXPECT_EQ(word(file, 4), 0) << name;
        EXPECT_EQ(word(file, 6), 0) << name;
        EXPECT_EQ(word(file, 8), image.show->width - 1) << name;
        EXPECT_EQ(word(file, 10), image.show->height - 1) << name;
        EXPECT_EQ(file[64], 0) << name;
        EXPECT_EQ(file[65], 1) << name;
        EXPECT_EQ(word(file, 66), image.show->width) << name;
        EXPECT_EQ(file[file.size() - 769], 12) << name;

        PcxImage decoded;
        ASSERT_EQ(decodePcx(decoded, file.data(), file.size()), 1) << name;
        ASSERT_EQ(decoded.width, image.show->width) << name;
        ASSERT_EQ(decoded.height, image.show->height) << name;
        size_t mismatches = 0;
        for (size_t i = 0; i < image.picture.levels.size(); ++i) {
            const unsigned char level = image.picture.levels[i];
            const unsigned char* p = decoded.pixels + i * 4;
            mismatches += p[0] != level || p[1] != level || p[2] != level || p[3] != level;
        }
        EXPECT_EQ(mismatches, 0u) << name;
        freePcx(decoded);
    }
}

TEST(PcxWriter, RunsStayInTheirLineAndHighLevelsAreEscaped)
{
    // 70 equal pixels need two runs; 200 alone must go out as a run of one;
    // the second line starts with the same level as the first ends with.
    GreyImage image(80, 2);
    for (int x = 0; x < 80; ++x) {
        image.at(x, 0) = x < 70 ? 5 : x == 70 ? 200 : 191;
        image.at(x, 1) = 191;
    }
    const std::vector<unsigned char> file = encodePcx(image);
    PcxImage decoded;
    ASSERT_EQ(decodePcx(decoded, file.data(), file.size()), 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(decoded.pixels[(y * 80 + x) * 4], image.at(x, y)) << x << "," << y;
    freePcx(decoded);
    // Row 0: 5 x 63, 5 x 7, 200, 191 x 9; row 1: 191 x 63, 191 x 17.
    const std::vector<unsigned char> data(file.begin() + 128, file.end() - 769);
    EXPECT_EQ(data, (std::vector<unsigned char>{0xFF, 5, 0xC7, 5, 0xC1, 200, 0xC9, 191, 0xFF, 191, 0xD1, 191}));

    EXPECT_TRUE(encodePcx(GreyImage(3, 1)).empty());
}

TEST(DefaultImages, LetteringSitsInTheRowsTheCardsCut)
{
    expectLettersInBands("TEXT", textRowTable, 8, 3);
    expectLettersInBands("GREETS1", greetRowTable, 8, 3);
    expectLettersInBands("GREETS2", greetRowTable + 8, 8, 3);
    expectLettersInBands("CREDITS", creditRowTable, 4, 3);
}

TEST(DefaultImages, WallLinesFitBetweenTheirRepeats)
{
    // Lines 0 and 1 of "TEXT" are repeated side by side on the walls; their
    // lettering must fit the middle part of the line that each copy shows.
    const GreyImage& sheet = picture("TEXT");
    for (int line = 0; line < 2; ++line) {
        const float half = 0.5f * wallTileFraction[line] * sheet.width;
        const int left = static_cast<int>(std::ceil(0.5f * sheet.width - half));
        const int right = static_cast<int>(std::floor(0.5f * sheet.width + half));
        const int top = static_cast<int>(textRowTable[line].top * sheet.height);
        const int bottom = static_cast<int>(textRowTable[line].bottom * sheet.height);
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < sheet.width; ++x)
                if (x < left || x >= right) {
                    ASSERT_EQ(sheet.at(x, y), 0) << "line " << line << " inked at " << x << "," << y;
                }
    }
}

TEST(DefaultImages, BandAndSpriteAreWhatTheScenesExpect)
{
    // The band texture is lit and tiled: mid-to-high grey with visible
    // structure, and no seam where it repeats.
    const GreyImage& overlay = picture("OVERLAY");
    double sum = 0.0, squares = 0.0;
    int lowest = 255;
    for (uint8_t v : overlay.levels) {
        sum += v;
        squares += double(v) * v;
        lowest = std::min<int>(lowest, v);
    }
    const double mean = sum / overlay.levels.size();
    EXPECT_GT(mean, 150.0);
    EXPECT_GE(lowest, 100);
    EXPECT_GT(std::sqrt(squares / overlay.levels.size() - mean * mean), 10.0);
    // Across the wrap neighbours differ no more than they typically do inside.
    auto step = [&](int x0, int y0, int x1, int y1) { return std::abs(overlay.at(x0, y0) - overlay.at(x1, y1)); };
    double inside = 0.0, across = 0.0;
    for (int y = 0; y < overlay.height; ++y) {
        for (int x = 1; x < overlay.width; ++x)
            inside += step(x, y, x - 1, y);
        across += step(0, y, overlay.width - 1, y);
    }
    EXPECT_LT(across, 1.5 * inside / (overlay.width - 1));
    inside = across = 0.0;
    for (int x = 0; x < overlay.width; ++x) {
        for (int y = 1; y < overlay.height; ++y)
            inside += step(x, y, x, y - 1);
        across += step(x, 0, x, overlay.height - 1);
    }
    EXPECT_LT(across, 1.5 * inside / (overlay.height - 1));

    // The sprite: brightest in the middle, black at every edge.
    const GreyImage& dot = picture("DOT");
    EXPECT_GE(dot.at(128, 128), 250);
    for (int i = 0; i < dot.width; ++i) {
        EXPECT_EQ(dot.at(i, 0), 0);
        EXPECT_EQ(dot.at(0, i), 0);
        EXPECT_EQ(dot.at(i, dot.height - 1), 0);
        EXPECT_EQ(dot.at(dot.width - 1, i), 0);
    }
    EXPECT_GT(dot.at(128, 128), dot.at(128, 64));
    EXPECT_GT(dot.at(128, 64), dot.at(128, 16));
}
