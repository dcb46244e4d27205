#include "assets/pcx_image.h"

#include <cstdlib>
#include <cstring>

namespace {

uint16_t readWord(const unsigned char* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

// Width and height from the only header fields the reader trusts; false for
// a header no picture can have, before anything is allocated.
bool measure(const unsigned char* header, int32_t& width, int32_t& height)
{
    if (header[64] != 0)
        return false;
    width = static_cast<int32_t>(header[65]) * readWord(header + 66);
    height = static_cast<int32_t>(readWord(header + 10)) - readWord(header + 6) + 1;
    return width > 0 && height > 0 && width <= pcxMaxSide && height <= pcxMaxSide;
}

// Image data is everything between the header and the palette's marker
// byte; a decoder that ran on into them would paint them as pixels.
struct MemoryBytes {
    const unsigned char* next;
    const unsigned char* end;
    bool take(unsigned char& byte)
    {
        if (next == end)
            return false;
        byte = *next++;
        return true;
    }
};

// Reads in blocks: a byte-at-a-time stdio call costs more than the decoding.
struct FileBytes {
    FileBytes(std::FILE* file, long left) : file(file), left(left) {}
    std::FILE* file;
    long left;  // data bytes not yet read from the file
    size_t at = 0;
    size_t filled = 0;
    unsigned char block[1 << 14];
    bool take(unsigned char& byte)
    {
        if (at == filled) {
            if (left <= 0)
                return false;
            const size_t want = left < static_cast<long>(sizeof block) ? static_cast<size_t>(left) : sizeof block;
            filled = std::fread(block, 1, want, file);
            at = 0;
            left -= static_cast<long>(want);
            if (filled == 0) {
                left = 0;
                return false;
            }
        }
        byte = block[at++];
        return true;
    }
};

// The run-length rows. Each row takes bytes until its own count reaches the
// width; a run that passes it has already painted the start of the next
// row's place, and that row counts from 0 again. Nothing lands beyond the
// buffer, and data that ends early leaves the rest zero.
template <typename Bytes>
void decodeRows(Bytes& bytes, const unsigned char* palette, unsigned char* pixels, int32_t width, int32_t height)
{
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    size_t position = 0;
    auto put = [&](unsigned char index, int32_t count) {
        for (; count > 0 && position < pixelCount; --count, ++position) {
            unsigned char* pixel = pixels + position * 4;
            pixel[0] = palette[3 * index];
            pixel[1] = palette[3 * index + 1];
            pixel[2] = palette[3 * index + 2];
            pixel[3] = palette[3 * index];
        }
    };
    for (int32_t row = 0; row < height; ++row) {
        int32_t count = 0;
        while (count < width) {
            unsigned char byte = 0;
            if (!bytes.take(byte))
                return;
            if (byte < 0xC0) {
                put(byte, 1);
                count += 1;
                continue;
            }
            unsigned char index = 0;
            if (!bytes.take(index))
                return;
            const int32_t run = byte & 0x3F;
            put(index, run);
            count += run;
        }
    }
}

// A run turns two bytes into at most 63 pixels (a single byte gives one), so
// a header promising more pixels than its data could ever paint is corrupt:
// without this a 900-byte file could ask for a gigabyte. The data is what a
// file of fileSize bytes holds between its header and the palette's marker.
bool fillable(int32_t width, int32_t height, size_t fileSize)
{
    const size_t framing = pcxHeaderSize + pcxPaletteSize + 1;
    const size_t dataBytes = fileSize > framing ? fileSize - framing : 0;
    const uint64_t most = static_cast<uint64_t>(dataBytes / 2) * 63 + dataBytes % 2;
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= most;
}

bool allocate(PcxImage& image, int32_t width, int32_t height)
{
    image.palette = static_cast<unsigned char*>(std::malloc(pcxPaletteSize));
    image.pixels = static_cast<unsigned char*>(
        std::calloc(static_cast<size_t>(width) * static_cast<size_t>(height), 4));
    if (!image.palette || !image.pixels) {
        freePcx(image);
        return false;
    }
    image.width = width;
    image.height = height;
    return true;
}

}  // namespace

int decodePcx(PcxImage& image, const unsigned char* data, size_t size)
{
    int32_t width = 0;
    int32_t height = 0;
    // Too short for the header and the palette: no picture, rejected before anything is decoded.
    if (!data || size < pcxHeaderSize + pcxPaletteSize || !measure(data, width, height))
        return 0;
    const size_t dataEnd = size - pcxPaletteSize - 1;
    if (!fillable(width, height, size))
        return 0;
    if (!allocate(image, width, height))
        return 0;
    std::memcpy(image.palette, data + size - pcxPaletteSize, pcxPaletteSize);
    MemoryBytes bytes{data + pcxHeaderSize, data + (dataEnd > pcxHeaderSize ? dataEnd : pcxHeaderSize)};
    decodeRows(bytes, image.palette, image.pixels, width, height);
    return 1;
}

int readPcx(PcxImage& image, std::FILE* file)
{
    if (!file)
        return 0;
    unsigned char header[pcxHeaderSize];
    int32_t width = 0;
    int32_t height = 0;
    long size = -1;
    // Too short for the header and the palette: no picture, rejected before anything is decoded.
    bool ok = std::fread(header, 1, sizeof header, file) == sizeof header && std::fseek(file, 0, SEEK_END) == 0 &&
              (size = std::ftell(file)) >= static_cast<long>(pcxHeaderSize + pcxPaletteSize) &&
              measure(header, width, height) &&
              fillable(width, height, static_cast<size_t>(size)) &&
              allocate(image, width, height);
    if (ok) {
        ok = std::fseek(file, size - static_cast<long>(pcxPaletteSize), SEEK_SET) == 0 &&
             std::fread(image.palette, 1, pcxPaletteSize, file) == pcxPaletteSize &&
             std::fseek(file, static_cast<long>(pcxHeaderSize), SEEK_SET) == 0;
        if (ok) {
            FileBytes bytes(file, size - static_cast<long>(pcxHeaderSize + pcxPaletteSize + 1));
            decodeRows(bytes, image.palette, image.pixels, width, height);
        } else {
            freePcx(image);
        }
    }
    std::fclose(file);
    return ok ? 1 : 0;
}

void freePcx(PcxImage& image)
{
    std::free(image.pixels);
    std::free(image.palette);
    image = PcxImage{};
}
