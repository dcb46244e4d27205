#pragma once
#include <windows.h>

#include "gl/gl_procs.h"

// The WGL entry points the Windows backend fetches beside the GL table.
typedef const char*(APIENTRYP DuskWglGetExtensionsStringArbProc)(HDC deviceContext);
typedef const char*(APIENTRYP DuskWglGetExtensionsStringExtProc)(void);
typedef int(APIENTRYP DuskWglSwapIntervalExtProc)(int interval);
typedef int(APIENTRYP DuskWglChoosePixelFormatArbProc)(HDC deviceContext, const int* intAttributes,
                                                       const float* floatAttributes, unsigned maxFormats,
                                                       int* formats, unsigned* formatCount);

struct WglProcTable {
    DuskWglGetExtensionsStringArbProc wglGetExtensionsStringARB = nullptr;
    DuskWglGetExtensionsStringExtProc wglGetExtensionsStringEXT = nullptr;
    DuskWglSwapIntervalExtProc wglSwapIntervalEXT = nullptr;
    DuskWglChoosePixelFormatArbProc wglChoosePixelFormatARB = nullptr;
};

// Like glProcs, one table for the process: the entry points of the current context.
extern WglProcTable wglProcs;

bool hasWglPixelFormatExtension(HDC deviceContext);

// The whole table as the Windows program has always fetched it: the WGL
// extension strings and swap control, the GL part, then the pixel-format
// extension. Later calls return true at once.
bool loadWglExtensionsFrom(ExtensionLoader& loader, const GlVersion& version, const GlLoaderSource& source,
                           HDC deviceContext);
