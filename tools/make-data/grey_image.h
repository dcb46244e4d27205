#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// An 8-bit picture that make-data draws on: one level a pixel, rows top to
// bottom. Written out with a grey palette, so a level is the texel's red,
// green, blue and alpha at once.
struct GreyImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> levels;

    GreyImage() = default;
    GreyImage(int32_t width, int32_t height)
        : width(width), height(height), levels(static_cast<size_t>(width) * static_cast<size_t>(height), 0)
    {
    }
    uint8_t& at(int32_t x, int32_t y) { return levels[static_cast<size_t>(y) * width + x]; }
    uint8_t at(int32_t x, int32_t y) const { return levels[static_cast<size_t>(y) * width + x]; }
};
