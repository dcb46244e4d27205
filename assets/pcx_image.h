#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

// One decoded 8-bit PCX picture: rows top to bottom, four bytes a pixel (red,
// green, blue, and red again as alpha: the sheets are grey, so a bright texel
// is also an opaque one). Owned by whoever filled it; freePcx gives it back.
struct PcxImage {
    unsigned char* pixels = nullptr;   // width x height x 4, null until decoded
    unsigned char* palette = nullptr;  // 256 entries of red, green, blue
    int32_t width = 0;
    int32_t height = 0;
};

// Headers promising more than this on either side are corrupt, not pictures.
constexpr int32_t pcxMaxSide = 16384;
constexpr size_t pcxHeaderSize = 128;
constexpr size_t pcxPaletteSize = 768;

// Decodes a whole PCX file held in memory into an empty image. Returns 1 when
// decoded, 0 when rejected (the image then holds nothing). The palette is the
// file's last 768 bytes and the byte before them its marker; the run-length
// data lies between the header and that marker, and data that ends before
// the picture is full leaves the rest of it zero. A header promising more
// pixels than its data could paint at 63 pixels per two bytes is rejected
// before anything is allocated.
int decodePcx(PcxImage& image, const unsigned char* data, size_t size);

// Reads an open file into an empty image as decodePcx does, and closes it
// whatever happens.
int readPcx(PcxImage& image, std::FILE* file);

// Frees the pixels and palette; the image is empty afterwards.
void freePcx(PcxImage& image);
