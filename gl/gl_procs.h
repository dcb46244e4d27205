#pragma once
#include "gl/gl.h"

#include <cstdint>

struct GlVersion {
    int32_t major = 0;
    int32_t minor = 0;
    char* text = nullptr;  // "M.m", allocated on the first read and kept
};

// Whether the entry points of the current context are in glProcs.
struct ExtensionLoader {
    bool loaded = false;
};

// Entry points by group, in the order they are fetched.
#define DUSK_GL_PROCS_IMAGING(X)                          \
    X(PFNGLBLENDEQUATIONPROC, glBlendEquation)            \
    X(PFNGLACTIVETEXTUREPROC, glActiveTexture)            \
    X(PFNGLCLIENTACTIVETEXTUREARBPROC, glClientActiveTexture) \
    X(PFNGLMULTITEXCOORD1FARBPROC, glMultiTexCoord1f)        \
    X(PFNGLMULTITEXCOORD2FARBPROC, glMultiTexCoord2f)        \
    X(PFNGLMULTITEXCOORD3FARBPROC, glMultiTexCoord3f)        \
    X(PFNGLMULTITEXCOORD4FARBPROC, glMultiTexCoord4f)        \
    X(PFNGLMULTITEXCOORD1FVARBPROC, glMultiTexCoord1fv)      \
    X(PFNGLMULTITEXCOORD2FVARBPROC, glMultiTexCoord2fv)      \
    X(PFNGLMULTITEXCOORD3FVARBPROC, glMultiTexCoord3fv)      \
    X(PFNGLMULTITEXCOORD4FVARBPROC, glMultiTexCoord4fv)

#define DUSK_GL_PROCS_SHADERS(X)                                  \
    X(PFNGLDELETEPROGRAMPROC, glDeleteProgram)                    \
    X(PFNGLDELETESHADERPROC, glDeleteShader)                      \
    X(PFNGLDETACHSHADERPROC, glDetachShader)                      \
    X(PFNGLCREATESHADERPROC, glCreateShader)                      \
    X(PFNGLSHADERSOURCEPROC, glShaderSource)                      \
    X(PFNGLCOMPILESHADERPROC, glCompileShader)                    \
    X(PFNGLCREATEPROGRAMPROC, glCreateProgram)                    \
    X(PFNGLATTACHSHADERPROC, glAttachShader)                      \
    X(PFNGLLINKPROGRAMPROC, glLinkProgram)                        \
    X(PFNGLUSEPROGRAMPROC, glUseProgram)                          \
    X(PFNGLVALIDATEPROGRAMPROC, glValidateProgram)                \
    X(PFNGLUNIFORM1FPROC, glUniform1f)                            \
    X(PFNGLUNIFORM2FPROC, glUniform2f)                            \
    X(PFNGLUNIFORM3FPROC, glUniform3f)                            \
    X(PFNGLUNIFORM4FPROC, glUniform4f)                            \
    X(PFNGLUNIFORM1IPROC, glUniform1i)                            \
    X(PFNGLUNIFORM2IPROC, glUniform2i)                            \
    X(PFNGLUNIFORM3IPROC, glUniform3i)                            \
    X(PFNGLUNIFORM4IPROC, glUniform4i)                            \
    X(PFNGLUNIFORM1FVPROC, glUniform1fv)                          \
    X(PFNGLUNIFORM2FVPROC, glUniform2fv)                          \
    X(PFNGLUNIFORM3FVPROC, glUniform3fv)                          \
    X(PFNGLUNIFORM4FVPROC, glUniform4fv)                          \
    X(PFNGLUNIFORM1IVPROC, glUniform1iv)                          \
    X(PFNGLUNIFORM2IVPROC, glUniform2iv)                          \
    X(PFNGLUNIFORM3IVPROC, glUniform3iv)                          \
    X(PFNGLUNIFORM4IVPROC, glUniform4iv)                          \
    X(PFNGLGETPROGRAMIVPROC, glGetProgramiv)                      \
    X(PFNGLGETSHADERIVPROC, glGetShaderiv)                        \
    X(PFNGLGETPROGRAMINFOLOGPROC, glGetProgramInfoLog)            \
    X(PFNGLGETSHADERINFOLOGPROC, glGetShaderInfoLog)              \
    X(PFNGLGETATTACHEDSHADERSPROC, glGetAttachedShaders)          \
    X(PFNGLGETUNIFORMLOCATIONPROC, glGetUniformLocation)          \
    X(PFNGLGETACTIVEUNIFORMPROC, glGetActiveUniform)              \
    X(PFNGLGETUNIFORMFVPROC, glGetUniformfv)                      \
    X(PFNGLGETUNIFORMIVPROC, glGetUniformiv)                      \
    X(PFNGLGETSHADERSOURCEPROC, glGetShaderSource)                \
    X(PFNGLVERTEXATTRIB1FPROC, glVertexAttrib1f)                  \
    X(PFNGLVERTEXATTRIB1FVPROC, glVertexAttrib1fv)                \
    X(PFNGLVERTEXATTRIB2FPROC, glVertexAttrib2f)                  \
    X(PFNGLVERTEXATTRIB2FVPROC, glVertexAttrib2fv)                \
    X(PFNGLVERTEXATTRIB3FPROC, glVertexAttrib3f)                  \
    X(PFNGLVERTEXATTRIB3FVPROC, glVertexAttrib3fv)                \
    X(PFNGLVERTEXATTRIB4FPROC, glVertexAttrib4f)                  \
    X(PFNGLVERTEXATTRIB4FVPROC, glVertexAttrib4fv)                \
    X(PFNGLGETATTRIBLOCATIONPROC, glGetAttribLocation)            \
    X(PFNGLBINDATTRIBLOCATIONPROC, glBindAttribLocation)          \
    X(PFNGLVERTEXATTRIBPOINTERPROC, glVertexAttribPointer)        \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, glEnableVertexAttribArray) \
    X(PFNGLDISABLEVERTEXATTRIBARRAYPROC, glDisableVertexAttribArray)

#define DUSK_GL_PROCS_FRAMEBUFFER(X)                                    \
    X(PFNGLGENFRAMEBUFFERSEXTPROC, glGenFramebuffersEXT)                \
    X(PFNGLDELETEFRAMEBUFFERSEXTPROC, glDeleteFramebuffersEXT)          \
    X(PFNGLBINDFRAMEBUFFEREXTPROC, glBindFramebufferEXT)                \
    X(PFNGLFRAMEBUFFERTEXTURE2DEXTPROC, glFramebufferTexture2DEXT)      \
    X(PFNGLGENRENDERBUFFERSEXTPROC, glGenRenderbuffersEXT)              \
    X(PFNGLBINDRENDERBUFFEREXTPROC, glBindRenderbufferEXT)              \
    X(PFNGLRENDERBUFFERSTORAGEEXTPROC, glRenderbufferStorageEXT)        \
    X(PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC, glFramebufferRenderbufferEXT) \
    X(PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC, glCheckFramebufferStatusEXT)  \
    X(PFNGLDRAWBUFFERSPROC, glDrawBuffers)

// Every GL extension entry point the show fetches (71), null until loaded.
// Other code calls these functions only through this table; a platform's own
// window-system entry points live in its backend.
struct GlProcTable {
#define DUSK_DECLARE_PROC(type, name) type name = nullptr;
    DUSK_GL_PROCS_IMAGING(DUSK_DECLARE_PROC)
    DUSK_GL_PROCS_SHADERS(DUSK_DECLARE_PROC)
    DUSK_GL_PROCS_FRAMEBUFFER(DUSK_DECLARE_PROC)
#undef DUSK_DECLARE_PROC
};

extern GlProcTable glProcs;

// What the loader reads from the driver: the live one asks the current
// context through the backend's lookup.
using GlLookup = void* (*)(const char* name);
struct GlLoaderSource {
    const char* (*glExtensions)() = nullptr;
    GlLookup lookup = nullptr;
};
GlLoaderSource liveGlLoaderSource(GlLookup lookup);

// Whether name is one whole blank-separated entry of the extension text.
bool hasExtensionIn(const char* extensionText, const char* name);
bool hasGlExtension(const char* name);

// The GL part of the table from a context of the given version, with the
// driver's checks; false, with glLoaderFailure set, at the first one failed.
bool fetchGlEntryPoints(const GlVersion& version, const GlLoaderSource& source);

// fetchGlEntryPoints once: later calls return true at once.
bool loadGlExtensionsFrom(ExtensionLoader& loader, const GlVersion& version, const GlLoaderSource& source);

// Records what a backend's own check of the driver found missing; false.
bool failGlExtensions(const char* what);

// What the last failed load found missing, for the one-line error.
const char* glLoaderFailure();
