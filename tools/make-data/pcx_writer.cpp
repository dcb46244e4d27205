#include "tools/make-data/pcx_writer.h"

#include <cstddef>

namespace {

void putWord(std::vector<unsigned char>& out, size_t at, int value)
{
    out[at] = static_cast<unsigned char>(value & 0xFF);
    out[at + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

}  // namespace

std::vector<unsigned char> encodePcx(const GreyImage& image)
{
    if (image.width <= 0 || image.height <= 0 || image.width % 2 != 0 || image.width > 0xFFFF ||
        image.height > 0xFFFF)
        return {};

    std::vector<unsigned char> out(128, 0);
    out[0] = 10;  // ZSoft
    out[1] = 5;   // version with a 256-colour palette
    out[2] = 1;   // run-length encoded
    out[3] = 8;   // bits per pixel and plane
    putWord(out, 8, image.width - 1);
    putWord(out, 10, image.height - 1);
    putWord(out, 12, 72);
    putWord(out, 14, 72);
    out[65] = 1;  // planes
    putWord(out, 66, image.width);
    putWord(out, 68, 1);  // palette type: colour or black and white

    // Runs stop at the end of each line, as readers of the format expect.
    // A level with both top bits set would read as a run, so even a single
    // such pixel goes out as a run of one.
    for (int32_t y = 0; y < image.height; ++y) {
        int32_t x = 0;
        while (x < image.width) {
            const uint8_t level = image.at(x, y);
            int32_t run = 1;
            while (run < 63 && x + run < image.width && image.at(x + run, y) == level)
                ++run;
            if (run > 1 || level >= 0xC0)
                out.push_back(static_cast<unsigned char>(0xC0 | run));
            out.push_back(level);
            x += run;
        }
    }

    out.push_back(12);
    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c)
            out.push_back(static_cast<unsigned char>(i));
    return out;
}
