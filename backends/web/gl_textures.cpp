// Textures: 1D ones as one-row 2D textures (WebGL has no 1D), GL's numeric
// internal formats, and GLU's mipmaps made here with GLU's own filter.
#include <cstring>
#include <vector>

#include "backends/web/fixed_gl.h"
#include "backends/web/mipmap_levels.h"

namespace {

GLenum webglTarget(GLenum target)
{
    return target == GL_TEXTURE_1D ? GL_TEXTURE_2D : target;
}

GLint webglInternalFormat(GLint format)
{
    switch (format) {
    case 1: return GL_LUMINANCE;
    case 2: return GL_LUMINANCE_ALPHA;
    case 3: return GL_RGB;
    case 4: return GL_RGBA;
    default: return format;
    }
}

// The levels from image down to 1x1, each uploaded as it is made.
GLint buildMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format, GLenum type,
                   const void* data)
{
    if (width < 1 || height < 1)
        return GLU_INVALID_VALUE;
    if (format != GL_RGBA || type != GL_UNSIGNED_BYTE)
        return GLU_INVALID_ENUM;  // the show's pictures are RGBA bytes; no other layout is taken
    drawGathered(fixedGl());
    const GLint internal = webglInternalFormat(internalFormat);
    const auto* bytes = static_cast<const uint8_t*>(data);
    int32_t w = gluNearestPower(width);
    int32_t h = gluNearestPower(height);
    std::vector<uint8_t> level;
    if (w == width && h == height)
        level.assign(bytes, bytes + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    else
        level = scaleRgba(bytes, width, height, w, h);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (GLint index = 0;; ++index) {
        emscripten_glTexImage2D(target, index, internal, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, level.data());
        if (w == 1 && h == 1)
            break;
        level = halveRgba(level, w, h);
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
    }
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return 0;
}

}  // namespace

extern "C" {

void glBindTexture(GLenum target, GLuint texture)
{
    FixedGlState& state = fixedGl();
    const int unit = state.webgl.activeUnit;
    const bool mirrored = webglTarget(target) == GL_TEXTURE_2D && unit >= 0 && unit < fixedTextureUnits;
    if (mirrored && state.webgl.textures[unit] == texture)
        return;
    drawGathered(state);
    if (mirrored)
        state.webgl.textures[unit] = texture;
    emscripten_glBindTexture(webglTarget(target), texture);
}

void glTexParameteri(GLenum target, GLenum pname, GLint value)
{
    drawGathered(fixedGl());
    // GL_CLAMP has no border to reach in WebGL; the edge is the nearest.
    if (value == GL_CLAMP && (pname == GL_TEXTURE_WRAP_S || pname == GL_TEXTURE_WRAP_T))
        value = GL_CLAMP_TO_EDGE;
    emscripten_glTexParameteri(webglTarget(target), pname, value);
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat value)
{
    glTexParameteri(target, pname, static_cast<GLint>(value));
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels)
{
    drawGathered(fixedGl());
    emscripten_glTexImage2D(webglTarget(target), level, webglInternalFormat(internalFormat), width, height, border,
                            format, type, pixels);
}

void glTexImage1D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLint border, GLenum format,
                  GLenum type, const void* pixels)
{
    glTexImage2D(target, level, internalFormat, width, 1, border, format, type, pixels);
}

GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void* data)
{
    return buildMipmaps(webglTarget(target), internalFormat, width, height, format, type, data);
}

GLint gluBuild1DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLenum format, GLenum type,
                        const void* data)
{
    return buildMipmaps(webglTarget(target), internalFormat, width, 1, format, type, data);
}

}  // extern "C"
