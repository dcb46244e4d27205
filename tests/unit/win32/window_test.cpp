// The Win32 window, message pump and clock against the real API (under wine
// in the test suite, on the test X server).
#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "platform/window.h"
#include "shell/demo_context.h"
#include "shell/show_clock.h"

namespace {

std::string currentMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight);
}

HWND showWindow()
{
    return FindWindowA("demo_dwl", "duskwheel2o13");
}

}  // namespace

TEST(Win32Window, RefusedFullscreenModeFailsBeforeAnyWindowAndChangesNothing)
{
    DemoContext context;
    const std::string before = currentMode();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(createGlWindow(context, 1234, 567, true, 32, 0));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("duskwheel: the display refuses the fullscreen mode: 1234x567"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    EXPECT_EQ(showWindow(), nullptr);
    EXPECT_EQ(currentMode(), before);
    destroyGlWindow(context);
    EXPECT_EQ(currentMode(), before);
}

TEST(Win32Window, WindowedClientAreaPumpAndTeardown)
{
    DemoContext context;
    ASSERT_TRUE(createGlWindow(context, 640, 400, false, 32, 0));
    HWND window = context.native.window;
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
    EXPECT_NE(context.native.pixelFormat, 0);

    EXPECT_TRUE(pumpMessages(context)) << "an empty queue";
    PostMessageA(window, WM_SYSKEYDOWN, 'X', 0);
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_TRUE(pumpMessages(context));
    EXPECT_TRUE(context.keys[VK_ESCAPE]) << "a key-down stays recorded after its key-up";
    EXPECT_FALSE(context.keys['X']) << "system keys are not recorded";

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(pumpMessages(context)) << "the close box posts the quit";

    destroyGlWindow(context);
    EXPECT_EQ(showWindow(), nullptr);
    EXPECT_EQ(context.native.renderContext, nullptr);
    destroyGlWindow(context);  // a second run releases nothing twice
    DemoContext again;
    ASSERT_TRUE(createGlWindow(again, 320, 200, false, 32, 0)) << "the class was unregistered and registers again";
    destroyGlWindow(again);
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
