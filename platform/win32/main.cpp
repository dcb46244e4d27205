#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/win32/display_source.h"
#include "platform/win32/failure_report.h"
#include "shell/player.h"

namespace {

// Started from Explorer there is nowhere to print to but a box.
void say(const char* text)
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE)
        std::puts(text);
    else
        MessageBoxA(nullptr, text, "duskwheel", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    catchStderrWithoutConsole();
    const int result = runPlayer(__argc, __argv, win32DisplaySource(), say);
    showCaughtFailure(result);
    return result;
}
