#include "backends/win32/failure_report.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <string>

namespace {

char caughtPath[MAX_PATH] = "";
std::FILE* caught = nullptr;

bool hasStderr()
{
    const HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

std::string readCaught()
{
    std::string text;
    if (std::FILE* file = std::fopen(caughtPath, "rb")) {
        char buffer[512];
        size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() < 8192)
            text.append(buffer, count);
        std::fclose(file);
    }
    return text;
}

}  // namespace

void catchStderrWithoutConsole()
{
    if (hasStderr())
        return;
    char folder[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder || !GetTempFileNameA(folder, "dwl", 0, caughtPath)) {
        caughtPath[0] = '\0';
        return;
    }
    caught = std::fopen(caughtPath, "wb");
    if (!caught || _dup2(_fileno(caught), 2) != 0) {
        if (caught)
            std::fclose(caught);
        caught = nullptr;
        DeleteFileA(caughtPath);
        caughtPath[0] = '\0';
        return;
    }
    // A process started without standard error has its stderr stream closed
    // for good (freopen refuses it), so the stream is pointed at descriptor 2
    // by hand. These are msvcrt's fields; a C runtime without them fails here
    // at compile time rather than losing the lines.
    if (_fileno(stderr) < 0) {
        stderr->_file = 2;
        stderr->_flag = _IOWRT;
    }
}

void showCaughtFailure(int exitCode)
{
    if (!caughtPath[0])
        return;
    std::fflush(stderr);
    std::fclose(caught);
    caught = nullptr;
    _close(2);
    const std::string text = readCaught();
    DeleteFileA(caughtPath);
    caughtPath[0] = '\0';
    // A show that ran says nothing, nor does a Quit (-1), the user's own
    // choice; remarks on the way (no sound device, a dropped file passed
    // over) are not worth a box of their own.
    if (exitCode > 0 && !text.empty())
        MessageBoxA(nullptr, text.c_str(), "duskwheel", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
