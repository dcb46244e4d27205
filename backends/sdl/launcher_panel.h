#pragma once
#include <SDL.h>

#include "launcher/launcher_model.h"
#include "launcher/show_settings.h"

// The launcher's controls in the dialog's tab order.
enum LauncherControl {
    LaunchButton,
    QuitButton,
    ResolutionBox,
    AspectList,
    SamplesList,
    FullscreenCheck,
    VSyncCheck,
    MusicCheck,
    LauncherControlCount,
};

// Everything the launcher window keeps between frames. ImGui's own keyboard
// navigation is off: the keys behave as in a native dialog instead (Tab
// moves the focus, arrows move a list's selection, Space presses, Enter
// launches, Escape quits).
struct LauncherPanel {
    ShowSettings* settings = nullptr;  // written on Launch
    LauncherLists lists;
    LauncherChoices choices;
    int focus = LaunchButton;
    bool comboOpen = false;   // the resolution drop-down was open in the last frame
    bool closeCombo = false;  // a key asked the open drop-down to close
    bool scrollToChoice = false;
    int result = 0;           // 1004 once launched, -1 once left
};

// Takes the lists and sets the initial selection; Launch writes settings.
void openLauncherPanel(LauncherPanel& panel, const LauncherLists& lists, ShowSettings& settings);

// Dialog keys; the rest is ImGui's.
void handleLauncherKey(LauncherPanel& panel, SDL_Keycode key, Uint16 modifiers);

// Lays out and draws one frame of the dialog covering the whole window.
void drawLauncherPanel(LauncherPanel& panel);

// Client size of the launcher window in pixels.
void launcherWindowSize(int& width, int& height);
