// The Win32 window, message pump and clock against the real API (under wine
// in the test suite, on the test X server).
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "program/window.h"
#include "gl/gl_procs.h"
#include "backends/win32/show_window.h"
#include "launcher/show_settings.h"
#include "program/show_clock.h"

namespace {

std::string currentMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight);
}

ShowSettings windowed(int32_t width, int32_t height, bool fullscreen = false)
{
    ShowSettings settings;
    settings.width = width;
    settings.height = height;
    settings.fullscreen = fullscreen;
    settings.colorBits = 32;
    return settings;
}

// What createGlWindow fills beside the window.
struct Driver {
    GlVersion glVersion;
    ExtensionLoader extensionLoader;
    bool keys[256] = {};
};

HWND showWindow()
{
    return FindWindowA("demo_dwl", "duskwheel2o13");
}

}  // namespace

TEST(Win32Window, RefusedFullscreenModeFailsBeforeAnyWindowAndChangesNothing)
{
    Driver context;
    const std::string before = currentMode();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(createGlWindow(windowed(1234, 567, true), context.glVersion, context.extensionLoader));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("duskwheel: the display refuses the fullscreen mode: 1234x567"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    EXPECT_EQ(showWindow(), nullptr);
    EXPECT_EQ(currentMode(), before);
    destroyGlWindow();
    EXPECT_EQ(currentMode(), before);
}

TEST(Win32Window, WindowedClientAreaPumpAndTeardown)
{
    Driver context;
    ASSERT_TRUE(createGlWindow(windowed(640, 400), context.glVersion, context.extensionLoader));
    HWND window = win32ShowWindow().window;
    ASSERT_EQ(showWindow(), window);
    EXPECT_FALSE(IsWindowVisible(window)) << "created hidden, shown by the opener";
    RECT client;
    RECT frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    EXPECT_EQ(client.right - client.left, 640);
    EXPECT_EQ(client.bottom - client.top, 400);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_GE(context.glVersion.major, 2);
    EXPECT_TRUE(context.extensionLoader.loaded);
    EXPECT_NE(win32ShowWindow().pixelFormat, 0);

    EXPECT_TRUE(pumpMessages(context.keys)) << "an empty queue";
    PostMessageA(window, WM_SYSKEYDOWN, 'X', 0);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_TRUE(pumpMessages(context.keys));
    EXPECT_TRUE(context.keys[VK_ESCAPE]) << "a key-down stays recorded after its key-up";
    EXPECT_FALSE(context.keys['X']) << "system keys are not recorded";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(pumpMessages(context.keys)) << "the close box posts the quit";

    destroyGlWindow();
    EXPECT_EQ(showWindow(), nullptr);
    EXPECT_EQ(win32ShowWindow().renderContext, nullptr);
    destroyGlWindow();  // a second run releases nothing twice
    Driver again;
    ASSERT_TRUE(createGlWindow(windowed(320, 200), again.glVersion, again.extensionLoader))
        << "the class was unregistered and registers again";
    destroyGlWindow();
}

TEST(Win32Clock, PublishesMillisecondsSinceStartAndStopsWhenStopped)
{
    ShowClock clock;
    const DWORD before = timeGetTime();
    ASSERT_TRUE(clock.start());
    EXPECT_GE(clock.period, 1u);
    Sleep(300);
    const uint32_t ticks = clock.ticks.load();
    const DWORD elapsed = timeGetTime() - before;
    // The clock reads the system's millisecond time, so it is never ahead of
    // it and behind only by the timer's latency.
    EXPECT_LE(ticks, elapsed);
    EXPECT_GE(ticks + 50, elapsed);
    clock.stop();
    const uint32_t stopped = clock.ticks.load();
    Sleep(50);
    EXPECT_EQ(clock.ticks.load(), stopped);
    EXPECT_EQ(clock.timerId, 0u);
}
