#include <windows.h>
#include <GL/gl.h>
#include <GL/wglext.h>

#include <cstdint>
#include <cstdio>

#include "launcher/show_settings.h"
#include "gl/gl_procs.h"
#include "backends/win32/show_window.h"
#include "backends/win32/wgl_procs.h"
#include "program/window.h"

namespace {

const char* const windowClassName = "demo_dwl";
const char* const windowTitle = "duskwheel2o13";

Win32Window shown;

LRESULT CALLBACK demoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// One line naming what failed and Windows' own reason for it.
void report(const char* what)
{
    const DWORD code = GetLastError();
    char reason[256] = "";
    if (code != 0)
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, reason,
                       sizeof reason, nullptr);
    // The system's text ends in a line break; the line is ours to end.
    for (char* c = reason; *c; ++c)
        if (*c == '\r' || *c == '\n')
            *c = '\0';
    if (reason[0])
        std::fprintf(stderr, "duskwheel: %s: %s (error %lu)\n", what, reason, static_cast<unsigned long>(code));
    else
        std::fprintf(stderr, "duskwheel: %s\n", what);
}

bool fail(const char* what)
{
    report(what);
    destroyGlWindow();
    return false;
}

bool loadEntryPoints(ExtensionLoader& loader, const GlVersion& version)
{
    return loadWglExtensionsFrom(loader, version, liveGlLoaderSource(lookupGlProc), shown.deviceContext);
}

PIXELFORMATDESCRIPTOR showPixelFormat(int32_t colorBits)
{
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = static_cast<BYTE>(colorBits);
    pfd.cAlphaBits = 1;
    pfd.cDepthBits = 24;
    pfd.cStencilBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

// The multisampled format, asked of the driver through WGL_ARB_pixel_format.
bool chooseMultisampledFormat(HDC deviceContext, int32_t samples, int& format)
{
    if (!wglProcs.wglChoosePixelFormatARB)
        return false;
    const int attributes[] = {
        WGL_DRAW_TO_WINDOW_ARB, 1, WGL_SUPPORT_OPENGL_ARB, 1,
        WGL_ACCELERATION_ARB, WGL_FULL_ACCELERATION_ARB, WGL_COLOR_BITS_ARB, 24,
        WGL_ALPHA_BITS_ARB, 8, WGL_DEPTH_BITS_ARB, 16,
        WGL_STENCIL_BITS_ARB, 0, WGL_DOUBLE_BUFFER_ARB, 1,
        WGL_SAMPLE_BUFFERS_ARB, 1, WGL_SAMPLES_ARB, samples,
        0, 0};
    const float noFloats[] = {0.0f, 0.0f};
    unsigned found = 0;
    return wglProcs.wglChoosePixelFormatARB(deviceContext, attributes, noFloats, 1, &format, &found) && found >= 1;
}

bool changeDisplayMode(int32_t width, int32_t height, int32_t colorBits)
{
    DEVMODEA current = {};
    current.dmSize = sizeof current;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current);
    DEVMODEA wanted = {};
    wanted.dmSize = sizeof wanted;
    wanted.dmPelsWidth = static_cast<DWORD>(width);
    wanted.dmPelsHeight = static_cast<DWORD>(height);
    wanted.dmBitsPerPel = static_cast<DWORD>(colorBits);
    wanted.dmDisplayFrequency = current.dmDisplayFrequency;
    wanted.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    const LONG result = ChangeDisplaySettingsA(&wanted, CDS_FULLSCREEN);
    if (result == DISP_CHANGE_SUCCESSFUL)
        return true;
    std::fprintf(stderr, "duskwheel: the display refuses the fullscreen mode: %dx%d is not offered (result %ld)\n",
                 width, height, static_cast<long>(result));
    return false;
}

}  // namespace

void* lookupGlProc(const char* name)
{
    PROC proc = wglGetProcAddress(name);
    // Some drivers answer names they do not have with small numbers instead of null.
    const auto value = reinterpret_cast<uintptr_t>(proc);
    if (value <= 3 || value == static_cast<uintptr_t>(-1))
        return nullptr;
    return reinterpret_cast<void*>(proc);
}

const Win32Window& win32ShowWindow()
{
    return shown;
}

bool createGlWindow(const ShowSettings& settings, GlVersion& glVersion, ExtensionLoader& loader)
{
    Win32Window& native = shown;
    const int32_t width = settings.width;
    const int32_t height = settings.height;
    const bool fullscreen = settings.fullscreen;
    const int32_t colorBits = settings.colorBits;
    const int32_t samples = settings.samples;
    native.fullscreen = fullscreen;
    native.instance = GetModuleHandleA(nullptr);

    // A zero or negative size gets one line and no window, rather than a window nothing can fill.
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "duskwheel: no usable window size (%dx%d)\n", width, height);
        return false;
    }

    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = demoWindowProc;
    windowClass.hInstance = native.instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassA(&windowClass)) {
        report("cannot register the window class");
        return false;
    }
    native.classRegistered = true;

    if (fullscreen && !changeDisplayMode(width, height, colorBits))
        return false;

    const DWORD exStyle = fullscreen ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    const DWORD style = fullscreen ? WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
                                   : WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    native.window = CreateWindowExA(exStyle, windowClassName, windowTitle, style, 0, 0, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr, native.instance, nullptr);
    // A window that cannot be made undoes the rest at once, desktop mode and class included.
    if (!native.window)
        return fail("cannot create the window");

    PIXELFORMATDESCRIPTOR pfd = showPixelFormat(colorBits);
    native.deviceContext = GetDC(native.window);
    if (!native.deviceContext)
        return fail("cannot get the window's device context");

    int format = 0;
    if (samples > 0) {
        if (!chooseMultisampledFormat(native.deviceContext, samples, format))
            return fail("no multisampled pixel format");
    } else {
        format = ChoosePixelFormat(native.deviceContext, &pfd);
        if (format == 0)
            return fail("no pixel format for OpenGL");
    }
    native.pixelFormat = format;
    if (!SetPixelFormat(native.deviceContext, format, &pfd))
        return fail("cannot set the pixel format");

    native.renderContext = wglCreateContext(native.deviceContext);
    if (!native.renderContext)
        return fail("cannot create an OpenGL context");
    if (!wglMakeCurrent(native.deviceContext, native.renderContext))
        return fail("cannot make the OpenGL context current");

    // The launcher's VSync choice, asked for directly: the entry-point table
    // is filled only at the end of creation.
    if (auto swapInterval = reinterpret_cast<DuskWglSwapIntervalExtProc>(lookupGlProc("wglSwapIntervalEXT")))
        swapInterval(settings.vsync ? 1 : 0);

    return loadContextEntryPoints(glVersion, loader, loadEntryPoints);
}

void showDemoWindow()
{
    ShowWindow(shown.window, SW_SHOW);
    SetForegroundWindow(shown.window);
    SetFocus(shown.window);
    if (shown.fullscreen) {
        ShowCursor(FALSE);
        ShowCursor(FALSE);
    }
}

void destroyGlWindow()
{
    Win32Window& native = shown;
    ShowCursor(TRUE);
    if (native.fullscreen)
        ChangeDisplaySettingsA(nullptr, 0);  // back to the mode saved in the system settings
    if (native.renderContext) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(native.renderContext);
        native.renderContext = nullptr;
    }
    if (native.deviceContext) {
        ReleaseDC(native.window, native.deviceContext);
        native.deviceContext = nullptr;
    }
    if (native.window) {
        DestroyWindow(native.window);
        native.window = nullptr;
    }
    if (native.classRegistered) {
        UnregisterClassA(windowClassName, native.instance);
        native.classRegistered = false;
    }
}

bool pumpMessages(bool (&keys)[256])
{
    MSG& message = shown.message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return false;
        // Only codes that fit the key table count; a posted key-down with a larger code is not recorded.
        if (message.message == WM_KEYDOWN && message.wParam < 256)
            keys[message.wParam] = true;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void presentFrame()
{
    SwapBuffers(shown.deviceContext);
}
