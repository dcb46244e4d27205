#pragma once
#include <cstdint>
#include <vector>

// The next mipmap level of an RGBA image, as GLU's gluBuild2DMipmaps makes
// it on the desktop builds: each texel the mean of a 2x2 box rounded to
// nearest ((a + b + c + d + 2) / 4); once one side is down to 1, of a pair
// truncated ((a + b) / 2). Sizes are powers of two.
std::vector<uint8_t> halveRgba(const std::vector<uint8_t>& image, int32_t width, int32_t height);

// The power of two GLU scales a side to first: the nearer one, with a
// side of 3 times a power going up.
int32_t gluNearestPower(int32_t value);

// GLU's rescale of an RGBA image to a new size: each output texel the
// area-weighted mean of the input texels under it.
std::vector<uint8_t> scaleRgba(const uint8_t* image, int32_t width, int32_t height, int32_t toWidth,
                               int32_t toHeight);
