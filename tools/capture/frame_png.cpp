#include "tools/capture/frame_png.h"

#include <vector>

#include "platform/gl.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

bool writeBackBufferPng(const std::string& path, int32_t width, int32_t height)
{
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> pixels(stride * static_cast<size_t>(height));
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // GL's first row is the bottom one; stb writes from the top.
    stbi_flip_vertically_on_write(1);
    return stbi_write_png(path.c_str(), width, height, 3, pixels.data(), static_cast<int>(stride)) != 0;
}
