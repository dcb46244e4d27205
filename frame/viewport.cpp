#include "frame/viewport.h"

#include "gl/gl.h"
#include "launcher/aspect_code.h"

Letterbox fitLetterbox(int32_t width, int32_t height)
{
    // Every step rounds to float, as the picture sizes must match to the pixel.
    const float wf = static_cast<float>(width);
    const float hf = static_cast<float>(height);
    const float fullWidthHeight = wf / 1.6f;
    float pictureWidth;
    float pictureHeight;
    if (hf < fullWidthHeight) {
        pictureWidth = static_cast<float>(hf * 1.6f);
        pictureHeight = hf;
    } else {
        pictureWidth = wf;
        pictureHeight = fullWidthHeight;
    }
    Letterbox box;
    box.width = static_cast<int32_t>(pictureWidth);
    box.height = static_cast<int32_t>(pictureHeight);
    box.x = (width - box.width) / 2;
    box.y = (height - box.height) / 2;
    return box;
}

float aspectRatioOf(int32_t aspect)
{
    switch (aspect) {
    case Ratio4x3: return 4.0f / 3.0f;
    case Ratio5x4: return 1.25f;
    case Ratio16x9: return 16.0f / 9.0f;
    case Ratio16x10: return 1.6f;
    default: return -1.0f;
    }
}

bool setupViewport(int32_t aspect, int32_t width, int32_t height, const ProjectionSettings& projection)
{
    // Every ratio gives the same 16:10 picture; the ratio only decides whether the setup runs.
    if (aspectRatioOf(aspect) < 0.0f || height == 0)
        return false;
    const Letterbox box = fitLetterbox(width, height);
    glViewport(box.x, box.y, box.width, box.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const float fieldOfView = 93.1f;
    const float pictureAspect = static_cast<float>(box.width) / static_cast<float>(box.height);
    gluPerspective(fieldOfView, pictureAspect, projection.nearPlane, projection.farPlane);
    glMatrixMode(GL_MODELVIEW);
    return true;
}
