// The entry points the portable loader asks for by name: the layer's own
// where it keeps state (multitexture, shader texts, programs), WebGL 2's
// otherwise. Framebuffer objects are core in WebGL 2, under the names
// without "EXT", which the loader falls back to.
#include <cstring>

#include "backends/web/fixed_gl.h"
#include "program/window.h"

extern "C" {
void glClientActiveTexture(GLenum texture);
void glMultiTexCoord1f(GLenum, GLfloat);
void glMultiTexCoord2f(GLenum, GLfloat, GLfloat);
void glMultiTexCoord3f(GLenum, GLfloat, GLfloat, GLfloat);
void glMultiTexCoord4f(GLenum, GLfloat, GLfloat, GLfloat, GLfloat);
void glMultiTexCoord1fv(GLenum, const GLfloat*);
void glMultiTexCoord2fv(GLenum, const GLfloat*);
void glMultiTexCoord3fv(GLenum, const GLfloat*);
void glMultiTexCoord4fv(GLenum, const GLfloat*);
}
void layerBindFramebuffer(GLenum, GLuint);
void layerFramebufferTexture2D(GLenum, GLenum, GLenum, GLuint, GLint);
void layerUniform1f(GLint, GLfloat);
void layerUniform2f(GLint, GLfloat, GLfloat);
void layerUniform3f(GLint, GLfloat, GLfloat, GLfloat);
void layerUniform4f(GLint, GLfloat, GLfloat, GLfloat, GLfloat);
void layerUniform1i(GLint, GLint);
void layerUniform2i(GLint, GLint, GLint);
void layerUniform3i(GLint, GLint, GLint, GLint);
void layerUniform4i(GLint, GLint, GLint, GLint, GLint);
void layerUniform1fv(GLint, GLsizei, const GLfloat*);
void layerUniform2fv(GLint, GLsizei, const GLfloat*);
void layerUniform3fv(GLint, GLsizei, const GLfloat*);
void layerUniform4fv(GLint, GLsizei, const GLfloat*);
void layerUniform1iv(GLint, GLsizei, const GLint*);
void layerUniform2iv(GLint, GLsizei, const GLint*);
void layerUniform3iv(GLint, GLsizei, const GLint*);
void layerUniform4iv(GLint, GLsizei, const GLint*);

namespace {

struct Entry {
    const char* name;
    void* proc;
};

#define DUSK_OWN(name) {#name, reinterpret_cast<void*>(&name)}
#define DUSK_WEBGL(name) {#name, reinterpret_cast<void*>(&emscripten_##name)}
// Calls that change what a draw reads: the layer's, which draw what is gathered first.
#define DUSK_LAYER(name) {"gl" #name, reinterpret_cast<void*>(&layer##name)}

const Entry entries[] = {
    DUSK_OWN(glBlendEquation),
    DUSK_OWN(glActiveTexture),
    DUSK_OWN(glClientActiveTexture),
    DUSK_OWN(glMultiTexCoord1f),
    DUSK_OWN(glMultiTexCoord2f),
    DUSK_OWN(glMultiTexCoord3f),
    DUSK_OWN(glMultiTexCoord4f),
    DUSK_OWN(glMultiTexCoord1fv),
    DUSK_OWN(glMultiTexCoord2fv),
    DUSK_OWN(glMultiTexCoord3fv),
    DUSK_OWN(glMultiTexCoord4fv),
    DUSK_OWN(glDeleteProgram),
    DUSK_WEBGL(glDeleteShader),
    DUSK_WEBGL(glDetachShader),
    DUSK_WEBGL(glCreateShader),
    DUSK_OWN(glShaderSource),
    DUSK_WEBGL(glCompileShader),
    DUSK_WEBGL(glCreateProgram),
    DUSK_WEBGL(glAttachShader),
    DUSK_OWN(glLinkProgram),
    DUSK_OWN(glUseProgram),
    DUSK_WEBGL(glValidateProgram),
    DUSK_LAYER(Uniform1f),
    DUSK_LAYER(Uniform2f),
    DUSK_LAYER(Uniform3f),
    DUSK_LAYER(Uniform4f),
    DUSK_LAYER(Uniform1i),
    DUSK_LAYER(Uniform2i),
    DUSK_LAYER(Uniform3i),
    DUSK_LAYER(Uniform4i),
    DUSK_LAYER(Uniform1fv),
    DUSK_LAYER(Uniform2fv),
    DUSK_LAYER(Uniform3fv),
    DUSK_LAYER(Uniform4fv),
    DUSK_LAYER(Uniform1iv),
    DUSK_LAYER(Uniform2iv),
    DUSK_LAYER(Uniform3iv),
    DUSK_LAYER(Uniform4iv),
    DUSK_WEBGL(glGetProgramiv),
    DUSK_WEBGL(glGetShaderiv),
    DUSK_WEBGL(glGetProgramInfoLog),
    DUSK_WEBGL(glGetShaderInfoLog),
    DUSK_WEBGL(glGetAttachedShaders),
    DUSK_WEBGL(glGetUniformLocation),
    DUSK_WEBGL(glGetActiveUniform),
    DUSK_WEBGL(glGetUniformfv),
    DUSK_WEBGL(glGetUniformiv),
    DUSK_WEBGL(glGetShaderSource),
    DUSK_WEBGL(glVertexAttrib1f),
    DUSK_WEBGL(glVertexAttrib1fv),
    DUSK_WEBGL(glVertexAttrib2f),
    DUSK_WEBGL(glVertexAttrib2fv),
    DUSK_WEBGL(glVertexAttrib3f),
    DUSK_WEBGL(glVertexAttrib3fv),
    DUSK_WEBGL(glVertexAttrib4f),
    DUSK_WEBGL(glVertexAttrib4fv),
    DUSK_WEBGL(glGetAttribLocation),
    DUSK_WEBGL(glBindAttribLocation),
    DUSK_WEBGL(glVertexAttribPointer),
    DUSK_WEBGL(glEnableVertexAttribArray),
    DUSK_WEBGL(glDisableVertexAttribArray),
    DUSK_WEBGL(glGenFramebuffers),
    DUSK_WEBGL(glDeleteFramebuffers),
    DUSK_LAYER(BindFramebuffer),
    DUSK_LAYER(FramebufferTexture2D),
    DUSK_WEBGL(glGenRenderbuffers),
    DUSK_WEBGL(glBindRenderbuffer),
    DUSK_WEBGL(glRenderbufferStorage),
    DUSK_WEBGL(glFramebufferRenderbuffer),
    DUSK_WEBGL(glCheckFramebufferStatus),
    DUSK_WEBGL(glDrawBuffers),
};

#undef DUSK_OWN
#undef DUSK_WEBGL
#undef DUSK_LAYER

}  // namespace

void* lookupGlProc(const char* name)
{
    for (const Entry& entry : entries)
        if (std::strcmp(entry.name, name) == 0)
            return entry.proc;
    return nullptr;
}
