// The calls that go on to WebGL's own state: each draws what is gathered
// first, since the gathered primitives were made under the state before it,
// and each is left out where the context already has what it sets, as
// every WebGL call costs the browser's GL process time.
#include <cstring>

#include "backends/web/fixed_gl.h"

namespace {

signed char* mirroredCapability(WebGlMirror& mirror, GLenum cap)
{
    switch (cap) {
    case GL_BLEND: return &mirror.blend;
    case GL_DEPTH_TEST: return &mirror.depthTest;
    case GL_CULL_FACE: return &mirror.cullFace;
    case GL_SCISSOR_TEST: return &mirror.scissorTest;
    default: return nullptr;
    }
}

// A uniform call reaches the program the show made current.
void beforeUniform()
{
    FixedGlState& state = fixedGl();
    drawGathered(state);
    webglUseProgram(state, state.program);
}

}  // namespace

void webglUseProgram(FixedGlState& state, GLuint program)
{
    if (state.webgl.program == program)
        return;
    state.webgl.program = program;
    emscripten_glUseProgram(program);
}

void webglActiveUnit(FixedGlState& state, int unit)
{
    if (state.webgl.activeUnit == unit)
        return;
    state.webgl.activeUnit = unit;
    emscripten_glActiveTexture(GL_TEXTURE0 + unit);
}

bool webglSetCapability(FixedGlState& state, GLenum cap, bool on)
{
    signed char* now = mirroredCapability(state.webgl, cap);
    if (!now)
        return false;
    if (*now == (on ? 1 : 0))
        return true;
    drawGathered(state);
    *now = on ? 1 : 0;
    if (on)
        emscripten_glEnable(cap);
    else
        emscripten_glDisable(cap);
    return true;
}

// The show's own GL 1.1 calls, and the entry points the loader hands out
// under WebGL 2's names (backends/web/gl_lookup.cpp).
extern "C" {

void glBlendFunc(GLenum source, GLenum destination)
{
    FixedGlState& state = fixedGl();
    WebGlMirror& m = state.webgl;
    if (m.blendSource == source && m.blendDestination == destination)
        return;
    drawGathered(state);
    m.blendSource = source;
    m.blendDestination = destination;
    emscripten_glBlendFunc(source, destination);
}

void glBlendEquation(GLenum mode)
{
    FixedGlState& state = fixedGl();
    if (state.webgl.blendEquation == mode)
        return;
    drawGathered(state);
    state.webgl.blendEquation = mode;
    emscripten_glBlendEquation(mode);
}

void glDepthMask(GLboolean on)
{
    FixedGlState& state = fixedGl();
    if (state.webgl.depthMask == (on ? 1 : 0))
        return;
    drawGathered(state);
    state.webgl.depthMask = on ? 1 : 0;
    emscripten_glDepthMask(on);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    FixedGlState& state = fixedGl();
    const GLint wanted[4] = {x, y, width, height};
    if (std::memcmp(state.webgl.viewport, wanted, sizeof wanted) == 0)
        return;
    drawGathered(state);
    std::memcpy(state.webgl.viewport, wanted, sizeof wanted);
    emscripten_glViewport(x, y, width, height);
}

void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    FixedGlState& state = fixedGl();
    const float wanted[4] = {r, g, b, a};
    if (std::memcmp(state.webgl.clearColour, wanted, sizeof wanted) == 0)
        return;
    std::memcpy(state.webgl.clearColour, wanted, sizeof wanted);
    emscripten_glClearColor(r, g, b, a);
}

void glClear(GLbitfield mask)
{
    drawGathered(fixedGl());
    emscripten_glClear(mask);
}

void glDepthFunc(GLenum func)
{
    drawGathered(fixedGl());
    emscripten_glDepthFunc(func);
}

void glCullFace(GLenum face)
{
    drawGathered(fixedGl());
    emscripten_glCullFace(face);
}

void glFrontFace(GLenum mode)
{
    drawGathered(fixedGl());
    emscripten_glFrontFace(mode);
}

void glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a)
{
    drawGathered(fixedGl());
    emscripten_glColorMask(r, g, b, a);
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height)
{
    drawGathered(fixedGl());
    emscripten_glScissor(x, y, width, height);
}

void glPolygonOffset(GLfloat factor, GLfloat units)
{
    drawGathered(fixedGl());
    emscripten_glPolygonOffset(factor, units);
}

void glLineWidth(GLfloat width)
{
    drawGathered(fixedGl());
    emscripten_glLineWidth(width);
}

void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels)
{
    drawGathered(fixedGl());
    emscripten_glReadPixels(x, y, width, height, format, type, pixels);
}

void glFlush()
{
    drawGathered(fixedGl());
    emscripten_glFlush();
}

void glFinish()
{
    drawGathered(fixedGl());
    emscripten_glFinish();
}

void glDeleteTextures(GLsizei count, const GLuint* textures)
{
    FixedGlState& state = fixedGl();
    drawGathered(state);
    // A name deleted may come back for a new texture, which is not bound.
    for (GLsizei i = 0; i < count; ++i)
        for (GLuint& bound : state.webgl.textures)
            if (bound == textures[i])
                bound = ~0u;
    emscripten_glDeleteTextures(count, textures);
}

}  // extern "C"

void layerBindFramebuffer(GLenum target, GLuint framebuffer)
{
    drawGathered(fixedGl());
    emscripten_glBindFramebuffer(target, framebuffer);
}

void layerFramebufferTexture2D(GLenum target, GLenum attachment, GLenum textarget, GLuint texture, GLint level)
{
    drawGathered(fixedGl());
    emscripten_glFramebufferTexture2D(target, attachment, textarget, texture, level);
}

void layerUniform1f(GLint at, GLfloat x) { beforeUniform(); emscripten_glUniform1f(at, x); }
void layerUniform2f(GLint at, GLfloat x, GLfloat y) { beforeUniform(); emscripten_glUniform2f(at, x, y); }
void layerUniform3f(GLint at, GLfloat x, GLfloat y, GLfloat z) { beforeUniform(); emscripten_glUniform3f(at, x, y, z); }
void layerUniform4f(GLint at, GLfloat x, GLfloat y, GLfloat z, GLfloat w)
{
    beforeUniform();
    emscripten_glUniform4f(at, x, y, z, w);
}
void layerUniform1i(GLint at, GLint x) { beforeUniform(); emscripten_glUniform1i(at, x); }
void layerUniform2i(GLint at, GLint x, GLint y) { beforeUniform(); emscripten_glUniform2i(at, x, y); }
void layerUniform3i(GLint at, GLint x, GLint y, GLint z) { beforeUniform(); emscripten_glUniform3i(at, x, y, z); }
void layerUniform4i(GLint at, GLint x, GLint y, GLint z, GLint w)
{
    beforeUniform();
    emscripten_glUniform4i(at, x, y, z, w);
}
void layerUniform1fv(GLint at, GLsizei n, const GLfloat* v) { beforeUniform(); emscripten_glUniform1fv(at, n, v); }
void layerUniform2fv(GLint at, GLsizei n, const GLfloat* v) { beforeUniform(); emscripten_glUniform2fv(at, n, v); }
void layerUniform3fv(GLint at, GLsizei n, const GLfloat* v) { beforeUniform(); emscripten_glUniform3fv(at, n, v); }
void layerUniform4fv(GLint at, GLsizei n, const GLfloat* v) { beforeUniform(); emscripten_glUniform4fv(at, n, v); }
void layerUniform1iv(GLint at, GLsizei n, const GLint* v) { beforeUniform(); emscripten_glUniform1iv(at, n, v); }
void layerUniform2iv(GLint at, GLsizei n, const GLint* v) { beforeUniform(); emscripten_glUniform2iv(at, n, v); }
void layerUniform3iv(GLint at, GLsizei n, const GLint* v) { beforeUniform(); emscripten_glUniform3iv(at, n, v); }
void layerUniform4iv(GLint at, GLsizei n, const GLint* v) { beforeUniform(); emscripten_glUniform4iv(at, n, v); }
