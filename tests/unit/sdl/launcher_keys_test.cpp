#include <gtest/gtest.h>

#include <initializer_list>

#include "tests/unit/launcher_fixtures.h"
#include "backends/sdl/launcher_panel.h"
#include "run/show_run.h"

namespace {

const std::vector<DisplayMode> driver = {mode(1024, 768), mode(1280, 800), mode(1920, 1200)};

struct Keys {
    const DisplaySource& displays;
    ShowSettings context;
    LauncherPanel panel;

    explicit Keys(DisplayMode desktop) : displays(FakeDisplays::with(driver, desktop))
    {
        openLauncherPanel(panel, makeLauncherLists(displays), context);
    }

    void press(std::initializer_list<SDL_Keycode> keys, Uint16 modifiers = KMOD_NONE)
    {
        for (SDL_Keycode key : keys)
            handleLauncherKey(panel, key, modifiers);
    }
};

}  // namespace

TEST(LauncherKeys, EscapeOrQuitLeaveTheContextAsItWas)
{
    Keys escape(mode(1920, 1200));
    escape.press({SDLK_TAB, SDLK_TAB, SDLK_DOWN, SDLK_ESCAPE});  // a change made, then dropped
    EXPECT_EQ(escape.panel.result, launcherLeft);
    EXPECT_TRUE(settingsUntouched(escape.context));

    // Enter on the focused Quit button quits, as does Space.
    for (SDL_Keycode key : {SDLK_RETURN, SDLK_SPACE}) {
        Keys quit(mode(1920, 1200));
        quit.press({SDLK_TAB, key});
        EXPECT_EQ(quit.panel.result, launcherLeft);
        EXPECT_TRUE(settingsUntouched(quit.context));
    }
}

TEST(LauncherKeys, ReturnLaunchesWithWhatTheKeysChose)
{
    Keys k(mode(1920, 1200));
    EXPECT_EQ(k.panel.focus, LaunchButton);
    k.press({SDLK_TAB, SDLK_TAB, SDLK_UP});          // resolution box: one up from the desktop's
    k.press({SDLK_TAB, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN});  // aspect list: "16:9"
    k.press({SDLK_TAB, SDLK_TAB, SDLK_TAB, SDLK_TAB, SDLK_SPACE});  // "Music" off
    EXPECT_EQ(k.panel.result, 0);
    k.press({SDLK_RETURN});
    EXPECT_EQ(k.panel.result, launcherLaunched);
    EXPECT_EQ(k.context.width, 1280);
    EXPECT_EQ(k.context.height, 800);
    EXPECT_EQ(k.context.aspect, Ratio16x9);
    EXPECT_FALSE(k.context.music);
    EXPECT_TRUE(k.context.fullscreen);
    EXPECT_TRUE(k.context.vsync);
}

TEST(LauncherKeys, ListSelectionStopsAtTheEnds)
{
    Keys k(mode(1920, 1200));
    k.press({SDLK_TAB, SDLK_TAB, SDLK_TAB});
    ASSERT_EQ(k.panel.focus, AspectList);
    k.press({SDLK_UP});
    EXPECT_EQ(k.panel.choices.aspect, 0);
    k.press({SDLK_END});
    EXPECT_EQ(k.panel.choices.aspect, 4);
    k.press({SDLK_DOWN, SDLK_PAGEDOWN});
    EXPECT_EQ(k.panel.choices.aspect, 4);
    k.press({SDLK_HOME});
    EXPECT_EQ(k.panel.choices.aspect, 0);
    // Shift+Tab goes back to the resolution box.
    k.press({SDLK_TAB}, KMOD_LSHIFT);
    EXPECT_EQ(k.panel.focus, ResolutionBox);
}

TEST(LauncherKeys, OpenDropDownTakesEscapeAndReturn)
{
    Keys k(mode(1920, 1200));
    k.panel.comboOpen = true;
    k.press({SDLK_ESCAPE});
    EXPECT_EQ(k.panel.result, 0);
    EXPECT_TRUE(k.panel.closeCombo);
    k.press({SDLK_RETURN});
    EXPECT_EQ(k.panel.result, 0);
}

TEST(LauncherKeys, NoResolutionKeepsLaunchOffUntilOneIsPicked)
{
    Keys k(mode(1366, 768));
    EXPECT_EQ(k.panel.focus, ResolutionBox);
    k.press({SDLK_RETURN});
    EXPECT_EQ(k.panel.result, 0);
    // Tab passes over the disabled Launch button.
    k.press({SDLK_TAB, SDLK_TAB, SDLK_TAB, SDLK_TAB, SDLK_TAB, SDLK_TAB});
    EXPECT_EQ(k.panel.focus, QuitButton);
    k.press({SDLK_TAB, SDLK_DOWN, SDLK_RETURN});
    EXPECT_EQ(k.panel.result, launcherLaunched);
    EXPECT_EQ(k.context.width, 1024);
    EXPECT_EQ(k.context.height, 768);
}
