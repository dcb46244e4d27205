#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "backends/win32/display_source.h"
#include "backends/win32/failure_report.h"
#include "run/demo_context.h"
#include "program/player.h"

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

// Double-clicked from wherever it was unpacked, its Data is beside it.
std::string dataBesideProgram()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return std::string();
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "Data";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    catchStderrWithoutConsole();
    int result = 0;
    {
        SoundLayer sound(platformSoundBackend());
        DemoContext context(sound);
        const DisplaySource& displays = win32DisplaySource();
        result = runPlayer(__argc, __argv, context, displays, say, dataBesideProgram());
    }
    // Shown once everything is given back, the sound output included.
    showCaughtFailure(result);
    return result;
}
