#pragma once
#include "platform/gl.h"

struct ExtensionLoader;

// The WGL entry points, typed here so that portable code can hold them; a
// device-context handle is a plain pointer.
typedef const char*(APIENTRYP DuskWglGetExtensionsStringArbProc)(void* deviceContext);
typedef const char*(APIENTRYP DuskWglGetExtensionsStringExtProc)(void);
typedef int(APIENTRYP DuskWglSwapIntervalExtProc)(int interval);
typedef int(APIENTRYP DuskWglChoosePixelFormatArbProc)(void* deviceContext, const int* intAttributes,
                                                       const float* floatAttributes, unsigned maxFormats,
                                                       int* formats, unsigned* formatCount);

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

// Every extension entry point the demo fetches (75), null until loaded.
// Other code calls these functions only through this table.
struct GlProcTable {
    DuskWglGetExtensionsStringArbProc wglGetExtensionsStringARB = nullptr;
    DuskWglGetExtensionsStringExtProc wglGetExtensionsStringEXT = nullptr;
    DuskWglSwapIntervalExtProc wglSwapIntervalEXT = nullptr;
#define DUSK_DECLARE_PROC(type, name) type name = nullptr;
    DUSK_GL_PROCS_IMAGING(DUSK_DECLARE_PROC)
    DUSK_GL_PROCS_SHADERS(DUSK_DECLARE_PROC)
    DUSK_GL_PROCS_FRAMEBUFFER(DUSK_DECLARE_PROC)
#undef DUSK_DECLARE_PROC
    DuskWglChoosePixelFormatArbProc wglChoosePixelFormatARB = nullptr;
};

extern GlProcTable glProcs;

// What the loader reads from the driver; the live one asks the current context.
struct GlLoaderSource {
    const char* (*glExtensions)() = nullptr;
    void* (*lookup)(const char* name) = nullptr;
};
GlLoaderSource liveGlLoaderSource();

// Whether name is one whole blank-separated entry of the extension text.
bool hasExtensionIn(const char* extensionText, const char* name);
bool hasGlExtension(const char* name);
bool hasWglPixelFormatExtension(const ExtensionLoader& loader);

// Fills glProcs and checks the driver once; later calls return true at once.
bool loadGlExtensions(ExtensionLoader& loader);
bool loadGlExtensionsFrom(ExtensionLoader& loader, const GlLoaderSource& source);

// What the last failed load found missing, for the one-line error.
const char* glLoaderFailure();
