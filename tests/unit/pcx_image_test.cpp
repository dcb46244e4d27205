#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "assets/pcx_image.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Header {
    int planes = 1;
    int bytesPerLine = 4;
    int ymin = 0;
    int ymax = 0;
    unsigned char reserved = 0;
};

// A file as the reader sees it: header, run-length data, marker, palette.
// Palette entry i is (i, 255 - i, i / 2) unless the test changes it.
Bytes pcxFile(const Header& header, const Bytes& data, Bytes palette = {})
{
    Bytes file(128, 0);
    file[0] = 10;
    file[1] = 5;
    file[2] = 1;
    file[3] = 8;
    file[6] = header.ymin & 0xFF;
    file[7] = (header.ymin >> 8) & 0xFF;
    file[10] = header.ymax & 0xFF;
    file[11] = (header.ymax >> 8) & 0xFF;
    file[64] = header.reserved;
    file[65] = static_cast<unsigned char>(header.planes);
    file[66] = header.bytesPerLine & 0xFF;
    file[67] = (header.bytesPerLine >> 8) & 0xFF;
    for (unsigned char byte : data)
        file.push_back(byte);
    file.push_back(12);
    if (palette.empty())
        for (int i = 0; i < 256; ++i) {
            palette.push_back(static_cast<unsigned char>(i));
            palette.push_back(static_cast<unsigned char>(255 - i));
            palette.push_back(static_cast<unsigned char>(i / 2));
        }
    for (unsigned char byte : palette)
        file.push_back(byte);
    return file;
}

// Run-length data that paints count pixels with colour 0, in runs of 63.
Bytes fill(size_t count)
{
    Bytes data;
    for (; count >= 63; count -= 63)
        data.insert(data.end(), {0xFF, 0});
    if (count > 0)
        data.insert(data.end(), {static_cast<unsigned char>(0xC0 | count), 0});
    return data;
}

struct Decoded {
    int result = 0;
    PcxImage image;
    ~Decoded() { freePcx(image); }
    // Palette index of pixel i, read back through the test palette's red.
    int index(size_t i) const { return image.pixels[i * 4]; }
};

void decode(Decoded& decoded, const Bytes& file)
{
    decoded.result = decodePcx(decoded.image, file.data(), file.size());
}

}  // namespace

TEST(PcxHeader, SizeComesFromPlanesBytesPerLineAndRows)
{
    Decoded oneWide;
    decode(oneWide, pcxFile({1, 1024, 0, 127}, fill(1024 * 128)));
    ASSERT_EQ(oneWide.result, 1);
    EXPECT_EQ(oneWide.image.width, 1024);
    EXPECT_EQ(oneWide.image.height, 128);

    Decoded twoPlanes;
    decode(twoPlanes, pcxFile({2, 512, 0, 0}, fill(1024)));
    ASSERT_EQ(twoPlanes.result, 1);
    EXPECT_EQ(twoPlanes.image.width, 1024);

    Decoded offset;
    decode(offset, pcxFile({1, 2, 10, 13}, fill(8)));
    ASSERT_EQ(offset.result, 1);
    EXPECT_EQ(offset.image.height, 4);
}

TEST(PcxHeader, RejectsReservedByteShortFilesAndImpossibleSizes)
{
    const struct {
        const char* what;
        Header header;
    } rejected[] = {
        {"reserved byte set", {1, 4, 0, 0, 1}},
        {"no planes", {0, 4, 0, 0}},
        {"no bytes per line", {1, 0, 0, 0}},
        {"Ymin above Ymax", {1, 4, 5, 3}},
        {"no rows", {1, 4, 4, 3}},
        {"gigantic width", {255, 0xFFFF, 0, 0}},
        {"width just past the limit", {1, 16386, 0, 0}},
        {"gigantic height", {1, 4, 0, 0xFFFF}},
    };
    for (const auto& c : rejected) {
        Decoded decoded;
        decode(decoded, pcxFile(c.header, {1, 2, 3, 4}));
        EXPECT_EQ(decoded.result, 0) << c.what;
        EXPECT_EQ(decoded.image.pixels, nullptr) << c.what;
        EXPECT_EQ(decoded.image.palette, nullptr) << c.what;
    }

    Decoded atLimit;
    decode(atLimit, pcxFile({1, 2, 0, pcxMaxSide - 1}, fill(2 * pcxMaxSide)));
    EXPECT_EQ(atLimit.result, 1);

    // What the data could paint at most bounds the size: two bytes make at
    // most 63 pixels, one byte one pixel, no data none.
    const struct {
        int32_t width;
        Bytes data;
        int result;
    } bounded[] = {
        {63, {0xFF, 7}, 1}, {64, {0xFF, 7}, 0}, {64, {0xFF, 7, 7}, 1}, {65, {0xFF, 7, 7}, 0}, {1, {}, 0},
    };
    for (const auto& c : bounded) {
        Decoded decoded;
        decode(decoded, pcxFile({1, c.width, 0, 0}, c.data));
        EXPECT_EQ(decoded.result, c.result) << c.width << " wide from " << c.data.size() << " bytes";
    }

    Bytes shortFile = pcxFile({1, 4, 0, 0}, {0xC1, 4});
    Decoded shortest;
    decode(shortest, shortFile);
    EXPECT_EQ(shortest.result, 1) << "four pixels from two bytes that paint one: cut short, not impossible";
    shortFile.erase(shortFile.begin() + 128, shortFile.begin() + 130);
    shortFile.pop_back();
    Decoded truncatedPalette;
    decode(truncatedPalette, shortFile);
    EXPECT_EQ(truncatedPalette.result, 0);
    EXPECT_EQ(truncatedPalette.image.pixels, nullptr);
}

TEST(PcxRuns, LiteralsRunsAndEmptyRuns)
{
    // 0xC3 7: three of colour 7; 0xC0 9: nothing; 0xBF: one of 191;
    // 0xC1 200: colour 200, which as a plain byte would start a run.
    Decoded decoded;
    decode(decoded, pcxFile({1, 6, 0, 0}, {0xC3, 7, 0xC0, 9, 0xBF, 0xC1, 200, 0xAA}));
    ASSERT_EQ(decoded.result, 1);
    const int expected[] = {7, 7, 7, 191, 200, 0xAA};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(decoded.index(i), expected[i]) << "pixel " << i;
}

TEST(PcxRuns, PixelsAreRedGreenBlueAndRedAsAlpha)
{
    Bytes palette(768, 0);
    palette[3 * 5] = 255;
    palette[3 * 5 + 1] = 128;
    palette[3 * 5 + 2] = 0;
    Decoded decoded;
    decode(decoded, pcxFile({1, 2, 0, 0}, {5, 0}, palette));
    ASSERT_EQ(decoded.result, 1);
    const unsigned char* p = decoded.image.pixels;
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), (std::vector<int>{255, 128, 0, 255}));
    EXPECT_EQ((std::vector<int>{p[4], p[5], p[6], p[7]}), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(0, std::memcmp(decoded.image.palette, palette.data(), 768));
}

TEST(PcxRuns, RunCrossingARowSpillsAndTheNextRowCountsAfresh)
{
    // Width 4, two rows. Six of colour 5 end row 0 and paint two pixels of
    // row 1's place; row 1 then takes four more bytes of its own, of which
    // only two still fit in the picture.
    Decoded decoded;
    decode(decoded, pcxFile({1, 4, 0, 1}, {0xC6, 5, 1, 2, 3, 4}));
    ASSERT_EQ(decoded.result, 1);
    const int expected[] = {5, 5, 5, 5, 5, 5, 1, 2};
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(decoded.index(i), expected[i]) << "pixel " << i;
}

TEST(PcxRuns, DataEndingEarlyLeavesTheRestZero)
{
    // Three rows of four promised, one and a half given; the last byte
    // starts a run whose colour never comes.
    Decoded decoded;
    decode(decoded, pcxFile({1, 4, 0, 2}, {1, 2, 3, 4, 0xC2, 9, 0xC2}));
    ASSERT_EQ(decoded.result, 1);
    for (size_t i = 0; i < 12; ++i) {
        const int expected = i < 4 ? static_cast<int>(i) + 1 : i < 6 ? 9 : 0;
        EXPECT_EQ(decoded.index(i), expected) << "pixel " << i;
        if (i >= 6) {
            EXPECT_EQ(decoded.image.pixels[i * 4 + 1], 0) << "pixel " << i;
        }
    }
}

TEST(PcxFile, ReadsFromAnOpenFileLikeFromMemory)
{
    const Bytes file = pcxFile({1, 4, 0, 1}, {0xC4, 3, 0xBF, 0xC1, 200, 1, 2});
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fwrite(file.data(), 1, file.size(), f);
    std::rewind(f);
    PcxImage fromFile;
    ASSERT_EQ(readPcx(fromFile, f), 1);
    Decoded fromMemory;
    decode(fromMemory, file);
    ASSERT_EQ(fromFile.width, 4);
    ASSERT_EQ(fromFile.height, 2);
    EXPECT_EQ(0, std::memcmp(fromFile.pixels, fromMemory.image.pixels, 4 * 2 * 4));
    EXPECT_EQ(0, std::memcmp(fromFile.palette, fromMemory.image.palette, 768));
    freePcx(fromFile);
    EXPECT_EQ(fromFile.pixels, nullptr);

    // A reserved byte set, and more pixels than the data could ever paint.
    for (const Bytes& bad : {pcxFile({1, 4, 0, 0, 1}, {1, 2, 3, 4}), pcxFile({1, 64, 0, 0}, {0xFF, 7})}) {
        std::FILE* rejected = std::tmpfile();
        ASSERT_NE(rejected, nullptr);
        std::fwrite(bad.data(), 1, bad.size(), rejected);
        std::rewind(rejected);
        PcxImage none;
        EXPECT_EQ(readPcx(none, rejected), 0);
        EXPECT_EQ(none.pixels, nullptr);
    }
}

TEST(PcxFile, DamagedFilesDecodeWithinBoundsOrAreRejected)
{
    // Every cut of a good file, and the good file with bytes overwritten at
    // random: the decoder must stay inside its buffers (the sanitizer build
    // watches) and never report a size its header forbids.
    Bytes good = pcxFile({1, 16, 0, 7}, fill(16 * 8));
    good.insert(good.begin() + 128, {0xC8, 3, 0xFF, 0xC0, 1, 2, 0xC1, 250, 0xCF, 9, 0xC3, 4});
    uint32_t seed = 12345;
    auto random = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    std::vector<Bytes> damaged;
    for (size_t cut = 0; cut < good.size(); cut += 7)
        damaged.emplace_back(good.begin(), good.begin() + cut);
    for (int round = 0; round < 400; ++round) {
        Bytes file = good;
        for (int hits = 0; hits < 6; ++hits)
            file[random() % (round % 2 ? 140 : file.size())] = static_cast<unsigned char>(random());
        damaged.push_back(file);
    }
    for (const Bytes& file : damaged) {
        Decoded decoded;
        decode(decoded, file);
        if (decoded.result == 1) {
            ASSERT_GT(decoded.image.width, 0);
            ASSERT_GT(decoded.image.height, 0);
            ASSERT_LE(decoded.image.width, pcxMaxSide);
            ASSERT_LE(decoded.image.height, pcxMaxSide);
        } else {
            ASSERT_EQ(decoded.image.pixels, nullptr);
        }
    }
}
