#include "backends/win32/wgl_procs.h"

WglProcTable wglProcs;

namespace {

template <typename Proc>
void fetch(const GlLoaderSource& source, Proc& slot, const char* name)
{
    slot = reinterpret_cast<Proc>(source.lookup(name));
}

}  // namespace

bool hasWglPixelFormatExtension(HDC deviceContext)
{
    const char* text = nullptr;
    if (wglProcs.wglGetExtensionsStringARB)
        text = wglProcs.wglGetExtensionsStringARB(deviceContext);
    if (wglProcs.wglGetExtensionsStringEXT)
        text = wglProcs.wglGetExtensionsStringEXT();
    return hasExtensionIn(text, "WGL_ARB_pixel_format");
}

bool loadWglExtensionsFrom(ExtensionLoader& loader, const GlVersion& version, const GlLoaderSource& source,
                           HDC deviceContext)
{
    if (loader.loaded)
        return true;
    failGlExtensions("");

    fetch(source, wglProcs.wglGetExtensionsStringARB, "wglGetExtensionsStringARB");
    if (!wglProcs.wglGetExtensionsStringARB)
        fetch(source, wglProcs.wglGetExtensionsStringEXT, "wglGetExtensionsStringEXT");
    if (!wglProcs.wglGetExtensionsStringARB && !wglProcs.wglGetExtensionsStringEXT)
        return failGlExtensions("wglGetExtensionsStringARB");

    if (hasExtensionIn(source.glExtensions ? source.glExtensions() : nullptr, "WGL_EXT_swap_control"))
        fetch(source, wglProcs.wglSwapIntervalEXT, "wglSwapIntervalEXT");

    if (!fetchGlEntryPoints(version, source))
        return false;

    if (!hasWglPixelFormatExtension(deviceContext))
        return failGlExtensions("WGL_ARB_pixel_format");
    fetch(source, wglProcs.wglChoosePixelFormatARB, "wglChoosePixelFormatARB");
    loader.loaded = true;
    return true;
}
