// The launcher's Windows side against the real API.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/launcher.h"
#include "shell/demo_context.h"
#include "shell/show_run.h"

// This test program carries no dialog resource, so DialogBoxParamA fails
// just as it would for a damaged exe: that must be an error, not a Quit.
TEST(Win32Launcher, ADialogThatCannotBeMadeIsAnErrorNotAQuit)
{
    DemoContext context;
    testing::internal::CaptureStderr();
    EXPECT_EQ(runLauncher(context), launcherUnavailable);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("duskwheel: cannot show the launcher dialog", 0), 0u) << said;
    EXPECT_EQ(context.width, 0) << "nothing was chosen";
}

TEST(Win32Launcher, DriverModesAreListedOncePerResolutionAtThirtyTwoBits)
{
    DEVMODEA desktop = {};
    desktop.dmSize = sizeof desktop;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop));
    bool desktopListed = false;
    for (size_t i = 0; i < gDemo.displayModes.size(); ++i) {
        const DisplayMode& mode = gDemo.displayModes[i];
        EXPECT_EQ(mode.bitsPerPixel, 32u);
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(gDemo.displayModes[j].width == mode.width && gDemo.displayModes[j].height == mode.height);
        desktopListed |= mode.width == desktop.dmPelsWidth && mode.height == desktop.dmPelsHeight;
    }
    EXPECT_TRUE(desktopListed) << desktop.dmPelsWidth << "x" << desktop.dmPelsHeight;
}
