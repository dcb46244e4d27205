#include "tests/gl/gl_test_context.h"

#include <cstdio>
#include <cstdlib>

#include "platform/window.h"
#include "shell/aspect_code.h"
#include "shell/demo_context.h"

DemoContext& glTestContext(int32_t width, int32_t height)
{
    static bool opened = false;
    if (!opened) {
        gDemo.width = width;
        gDemo.height = height;
        gDemo.colorBits = 32;
        gDemo.aspect = Ratio16x10;
        if (!openDemoWindow(gDemo)) {
            std::fprintf(stderr, "cannot open a %dx%d GL window (is DISPLAY set?)\n", width, height);
            std::exit(1);
        }
        opened = true;
    }
    return gDemo;
}
