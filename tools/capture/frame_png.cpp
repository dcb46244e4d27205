#include "tools/capture/frame_png.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

bool writeRgbPng(const std::string& path, int32_t width, int32_t height, const uint8_t* bottomUpRgb)
{
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path.c_str(), width, height, 3, bottomUpRgb, width * 3) != 0;
}
