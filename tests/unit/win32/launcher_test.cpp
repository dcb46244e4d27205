// The launcher's Windows side against the real API.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "launcher/launcher_model.h"
#include "program/launcher.h"
#include "backends/win32/display_source.h"

// This test program carries no dialog resource, so DialogBoxParamA fails
// just as it would for a damaged exe: that must be an error, not a Quit.
TEST(Win32Launcher, ADialogThatCannotBeMadeIsAnErrorNotAQuit)
{
    ShowSettings settings;
    testing::internal::CaptureStderr();
    EXPECT_EQ(runLauncher(makeLauncherLists(win32DisplaySource()), settings), launcherUnavailable);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("duskwheel: cannot show the launcher dialog", 0), 0u) << said;
    EXPECT_EQ(settings.width, 0) << "nothing was chosen";
}

TEST(Win32Launcher, DriverModesAreListedOncePerResolutionAtThirtyTwoBits)
{
    DEVMODEA desktop = {};
    desktop.dmSize = sizeof desktop;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &desktop));
    bool desktopListed = false;
    const std::vector<DisplayMode> modes = makeLauncherLists(win32DisplaySource()).displayModes;
    for (size_t i = 0; i < modes.size(); ++i) {
        const DisplayMode& mode = modes[i];
        EXPECT_EQ(mode.bitsPerPixel, 32u);
        for (size_t j = 0; j < i; ++j)
            EXPECT_FALSE(modes[j].width == mode.width && modes[j].height == mode.height);
        desktopListed |= mode.width == desktop.dmPelsWidth && mode.height == desktop.dmPelsHeight;
    }
    EXPECT_TRUE(desktopListed) << desktop.dmPelsWidth << "x" << desktop.dmPelsHeight;
}
