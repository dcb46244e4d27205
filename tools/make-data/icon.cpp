#include "tools/make-data/icon.h"

#include <cmath>
#include <cstdio>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

const int kIconSizes[4] = {16, 32, 48, 256};

namespace {

// A wheel reads at 16 pixels only with few, thick spokes and a rim of whole
// pixels; each size gets its own proportions rather than the big one shrunk.
struct WheelShape {
    int size;
    float rimWidth;    // pixels
    int spokes;
    float spokeWidth;  // pixels
    float hubRadius;   // pixels
    float axleRadius;  // pixels, 0 for none
};

const WheelShape kShapes[] = {
    {16, 2.0f, 4, 2.0f, 2.0f, 0.0f},
    {32, 3.0f, 6, 2.5f, 4.0f, 1.5f},
    {48, 4.0f, 8, 3.0f, 6.0f, 2.5f},
    {256, 18.0f, 12, 11.0f, 30.0f, 11.0f},
};

struct Colour {
    float r, g, b, a;
};

// Dusk behind the spokes: violet at the top of the wheel, embers at the bottom.
Colour duskAt(float t)
{
    const Colour top = {0.23f, 0.12f, 0.42f, 1.0f};
    const Colour bottom = {0.93f, 0.40f, 0.18f, 1.0f};
    return {top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t, 1.0f};
}

const Colour kRim = {1.0f, 0.84f, 0.52f, 1.0f};
const Colour kClear = {0.0f, 0.0f, 0.0f, 0.0f};

// What covers one point, in pixels from the picture's centre.
Colour shade(const WheelShape& shape, float x, float y)
{
    const float outer = static_cast<float>(shape.size) * 0.5f - 0.5f;
    const float r = std::sqrt(x * x + y * y);
    if (r > outer)
        return kClear;
    if (r > outer - shape.rimWidth)
        return kRim;
    if (r < shape.axleRadius)
        return duskAt(0.0f);
    if (r < shape.hubRadius)
        return kRim;
    // Spokes start straight up, so the small sizes get a plain + of whole pixels.
    const float pi = 3.14159265f;
    const float step = 2.0f * pi / static_cast<float>(shape.spokes);
    const float angle = std::atan2(x, -y);
    const float nearest = std::round(angle / step) * step;
    const float across = std::fabs(r * std::sin(angle - nearest));
    if (across < shape.spokeWidth * 0.5f)
        return kRim;
    return duskAt((y + outer) / (2.0f * outer));
}

void put16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value & 0xff));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xff));
}

void put32(std::vector<unsigned char>& out, unsigned value)
{
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// A 32-bit DIB as an icon holds it: the header's height counts the colour
// rows and the mask rows, both stored bottom-up.
std::vector<unsigned char> encodeBitmap(const IconImage& image)
{
    const unsigned n = static_cast<unsigned>(image.size);
    const unsigned maskStride = ((n + 31) / 32) * 4;
    std::vector<unsigned char> out;
    put32(out, 40);
    put32(out, n);
    put32(out, 2 * n);
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, n * n * 4 + maskStride * n);
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (unsigned row = n; row-- > 0;) {
        for (unsigned x = 0; x < n; ++x) {
            const uint8_t* p = &image.rgba[(row * n + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (unsigned row = n; row-- > 0;) {
        std::vector<unsigned char> mask(maskStride, 0);
        for (unsigned x = 0; x < n; ++x)
            if (image.rgba[(row * n + x) * 4 + 3] == 0)
                mask[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return out;
}

std::vector<unsigned char> encodePng(const IconImage& image)
{
    std::vector<unsigned char> out;
    stbi_write_png_to_func(
        [](void* context, void* data, int length) {
            auto& bytes = *static_cast<std::vector<unsigned char>*>(context);
            bytes.insert(bytes.end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + length);
        },
        &out, image.size, image.size, 4, image.rgba.data(), image.size * 4);
    return out;
}

}  // namespace

IconImage drawIcon(int size)
{
    IconImage image;
    const WheelShape* shape = nullptr;
    for (const WheelShape& s : kShapes)
        if (s.size == size)
            shape = &s;
    if (!shape)
        return image;
    image.size = size;
    image.rgba.resize(static_cast<size_t>(size) * size * 4);
    // 8x8 samples a pixel: edges antialiased, premultiplied while summed.
    const int samples = 8;
    const float centre = static_cast<float>(size) * 0.5f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Colour sum = kClear;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const float px = static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / samples - centre;
                    const float py = static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / samples - centre;
                    const Colour c = shade(*shape, px, py);
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            uint8_t* p = &image.rgba[(static_cast<size_t>(y) * size + x) * 4];
            const float alpha = sum.a / (samples * samples);
            const auto level = [&](float premultiplied) {
                return static_cast<uint8_t>(std::lround(sum.a > 0 ? 255.0f * premultiplied / sum.a : 0.0f));
            };
            p[0] = level(sum.r);
            p[1] = level(sum.g);
            p[2] = level(sum.b);
            p[3] = static_cast<uint8_t>(std::lround(255.0f * alpha));
        }
    }
    return image;
}

std::vector<unsigned char> encodeIco(const std::vector<IconImage>& images)
{
    std::vector<std::vector<unsigned char>> bodies;
    for (const IconImage& image : images)
        bodies.push_back(image.size >= 256 ? encodePng(image) : encodeBitmap(image));
    std::vector<unsigned char> out;
    put16(out, 0);
    put16(out, 1);  // an icon, not a cursor
    put16(out, static_cast<unsigned>(images.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const unsigned side = images[i].size >= 256 ? 0 : static_cast<unsigned>(images[i].size);  // 0 means 256
        out.insert(out.end(), {static_cast<unsigned char>(side), static_cast<unsigned char>(side), 0, 0});
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<unsigned>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<unsigned>(bodies[i].size());
    }
    for (const auto& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

bool writeIcon(const std::string& path)
{
    std::vector<IconImage> images;
    for (int size : kIconSizes)
        images.push_back(drawIcon(size));
    const std::vector<unsigned char> bytes = encodeIco(images);
    FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file && std::fclose(file) != 0)
        written = false;
    if (!written)
        std::fprintf(stderr, "make-data: cannot write %s\n", path.c_str());
    return written;
}
