// The browser lists no display modes: the show takes the canvas's size in
// device pixels, and "Auto" the window's aspect.
#include "backends/web/display_source.h"

#include "backends/web/page.h"

namespace {

bool noModeAt(int, DisplayMode&)
{
    return false;
}

bool canvasMode(DisplayMode& out)
{
    const int width = duskPageCanvasWidth();
    const int height = duskPageCanvasHeight();
    if (width <= 0 || height <= 0)
        return false;
    out.width = static_cast<uint32_t>(width);
    out.height = static_cast<uint32_t>(height);
    out.bitsPerPixel = 32;
    out.refreshRate = 0;
    return true;
}

const DisplaySource pageDisplays{noModeAt, canvasMode, nullptr};

}  // namespace

const DisplaySource& webDisplaySource()
{
    return pageDisplays;
}
