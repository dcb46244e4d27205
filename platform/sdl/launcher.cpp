#include "platform/launcher.h"

#include "shell/demo_context.h"

// Provisional settings until the settings dialog exists.
int runLauncher(DemoContext& context)
{
    context.width = 1280;
    context.height = 800;
    context.colorBits = 32;
    context.fullscreen = false;
    context.vsync = false;
    context.aspect = Ratio16x10;
    context.musicEnabled = true;
    return 1004;
}
