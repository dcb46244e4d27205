#include "backends/web/mipmap_levels.h"

#include <cmath>

std::vector<uint8_t> halveRgba(const std::vector<uint8_t>& image, int32_t width, int32_t height)
{
    const int32_t newWidth = width > 1 ? width / 2 : 1;
    const int32_t newHeight = height > 1 ? height / 2 : 1;
    std::vector<uint8_t> out(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight) * 4);
    const size_t row = static_cast<size_t>(width) * 4;
    auto at = [&](int32_t x, int32_t y, int c) { return static_cast<int>(image[y * row + x * 4 + c]); };
    for (int32_t y = 0; y < newHeight; ++y)
        for (int32_t x = 0; x < newWidth; ++x)
            for (int c = 0; c < 4; ++c) {
                int value;
                if (width > 1 && height > 1)
                    value = (at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) + at(2 * x, 2 * y + 1, c) +
                             at(2 * x + 1, 2 * y + 1, c) + 2) / 4;
                else if (width > 1)
                    value = (at(2 * x, 0, c) + at(2 * x + 1, 0, c)) / 2;
                else
                    value = (at(0, 2 * y, c) + at(0, 2 * y + 1, c)) / 2;
                out[(static_cast<size_t>(y) * newWidth + x) * 4 + c] = static_cast<uint8_t>(value);
            }
    return out;
}

int32_t gluNearestPower(int32_t value)
{
    if (value <= 0)
        return -1;
    int32_t power = 1;
    for (;;) {
        if (value == 1)
            return power;
        if (value == 3)
            return power * 4;
        value >>= 1;
        power *= 2;
    }
}

std::vector<uint8_t> scaleRgba(const uint8_t* image, int32_t width, int32_t height, int32_t toWidth,
                               int32_t toHeight)
{
    std::vector<uint8_t> out(static_cast<size_t>(toWidth) * static_cast<size_t>(toHeight) * 4);
    const float sx = static_cast<float>(width) / static_cast<float>(toWidth);
    const float sy = static_cast<float>(height) / static_cast<float>(toHeight);
    for (int32_t y = 0; y < toHeight; ++y) {
        const float y0 = y * sy, y1 = y0 + sy;
        for (int32_t x = 0; x < toWidth; ++x) {
            const float x0 = x * sx, x1 = x0 + sx;
            float sum[4] = {0, 0, 0, 0};
            float area = 0.0f;
            for (int32_t iy = static_cast<int32_t>(y0); iy < height && iy < y1; ++iy) {
                const float wy = std::fmin(y1, iy + 1.0f) - std::fmax(y0, static_cast<float>(iy));
                for (int32_t ix = static_cast<int32_t>(x0); ix < width && ix < x1; ++ix) {
                    const float w = wy * (std::fmin(x1, ix + 1.0f) - std::fmax(x0, static_cast<float>(ix)));
                    for (int c = 0; c < 4; ++c)
                        sum[c] += w * image[(static_cast<size_t>(iy) * width + ix) * 4 + c];
                    area += w;
                }
            }
            for (int c = 0; c < 4; ++c)
                out[(static_cast<size_t>(y) * toWidth + x) * 4 + c] =
                    static_cast<uint8_t>(area > 0.0f ? sum[c] / area + 0.5f : 0.0f);
        }
    }
    return out;
}
