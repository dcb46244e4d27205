#include <windows.h>

#include "backends/win32/display_source.h"

namespace {

DisplayMode fromDevmode(const DEVMODEA& mode)
{
    DisplayMode out;
    out.width = mode.dmPelsWidth;
    out.height = mode.dmPelsHeight;
    out.bitsPerPixel = mode.dmBitsPerPel;
    out.refreshRate = mode.dmDisplayFrequency;
    return out;
}

bool readMode(DWORD index, DisplayMode& out)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, index, &mode))
        return false;
    out = fromDevmode(mode);
    return true;
}

bool driverModeAt(int index, DisplayMode& out)
{
    return index >= 0 && readMode(static_cast<DWORD>(index), out);
}

bool desktopMode(DisplayMode& out)
{
    return readMode(ENUM_CURRENT_SETTINGS, out);
}

const DisplaySource driverDisplays{driverModeAt, desktopMode};

}  // namespace

const DisplaySource& win32DisplaySource()
{
    return driverDisplays;
}
