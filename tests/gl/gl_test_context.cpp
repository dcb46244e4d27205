#include "tests/gl/gl_test_context.h"

#include <cstdio>
#include <cstdlib>

#include "program/window.h"
#include "launcher/aspect_code.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "run/demo_context.h"
#include "program/live_steps.h"

DemoContext& glTestContext(int32_t width, int32_t height)
{
    // The GL tests play nothing: the music's layer has no backend.
    static SoundLayer sound{SoundBackend{}};
    static DemoContext context(sound);
    static bool opened = false;
    if (!opened) {
        context.settings.width = width;
        context.settings.height = height;
        context.settings.colorBits = 32;
        context.settings.aspect = Ratio16x10;
        if (!openDemoWindow(context)) {
            std::fprintf(stderr, "cannot open a %dx%d GL window (is DISPLAY set?)\n", width, height);
            std::exit(1);
        }
        opened = true;
    }
    return context;
}
