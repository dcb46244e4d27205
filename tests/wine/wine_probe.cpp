// What the wine tests ask Windows itself, from inside the same (virtual) desktop:
//   mode               the display's current mode, WxH
//   modes              the 32-bit modes in the driver's order, one WxH a line
//   window TITLE       the window's client size, its client origin and its frame origin
//   text TITLE ID      the text of a dialog control (a combo box shows its selection)
//   control TITLE ID   whether that control is enabled and whether it has the focus
//   closebox TITLE     screen coordinates of the middle of the window's close box
//   hold SECONDS       does nothing for that long (keeps a virtual desktop open)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: wine-probe mode | modes | window TITLE | text TITLE ID | control TITLE ID | closebox TITLE | hold SECONDS\n");
    return 2;
}

HWND findWindow(const char* title)
{
    HWND window = FindWindowA(nullptr, title);
    if (!window)
        std::fprintf(stderr, "wine-probe: no window called %s\n", title);
    return window;
}

int printMode(bool all)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (!all) {
        if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode))
            return 1;
        std::printf("%lux%lu\n", mode.dmPelsWidth, mode.dmPelsHeight);
        return 0;
    }
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i)
        if (mode.dmBitsPerPel == 32)
            std::printf("%lux%lu\n", mode.dmPelsWidth, mode.dmPelsHeight);
    return 0;
}

int printWindow(const char* title)
{
    HWND window = findWindow(title);
    if (!window)
        return 1;
    RECT client;
    RECT frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::printf("client %ldx%ld at %ld,%ld frame at %ld,%ld\n", client.right - client.left,
                client.bottom - client.top, origin.x, origin.y, frame.left, frame.top);
    return 0;
}

int printText(const char* title, int id)
{
    HWND dialog = findWindow(title);
    if (!dialog)
        return 1;
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    std::printf("%s\n", text);
    return 0;
}

int printControl(const char* title, int id)
{
    HWND dialog = findWindow(title);
    HWND control = dialog ? GetDlgItem(dialog, id) : nullptr;
    if (!control)
        return 1;
    // The focus of another program's thread, as its own GetFocus would give it.
    GUITHREADINFO thread = {};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
    HWND focus = thread.hwndFocus;
    // A combo box's edit field has the focus on its behalf.
    while (focus && focus != control && GetParent(focus) != dialog)
        focus = GetParent(focus);
    std::printf("%s %s\n", IsWindowEnabled(control) ? "enabled" : "disabled", focus == control ? "focused" : "unfocused");
    return 0;
}

int printCloseBox(const char* title)
{
    HWND window = findWindow(title);
    if (!window)
        return 1;
    RECT frame;
    GetWindowRect(window, &frame);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const LONG border = origin.x - frame.left;
    const LONG caption = origin.y - frame.top;
    const int button = GetSystemMetrics(SM_CXSIZE);
    std::printf("%ld %ld\n", frame.right - border - button / 2, frame.top + caption / 2 + border / 4);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "mode") == 0)
        return printMode(false);
    if (argc == 2 && std::strcmp(argv[1], "modes") == 0)
        return printMode(true);
    if (argc == 3 && std::strcmp(argv[1], "window") == 0)
        return printWindow(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "text") == 0)
        return printText(argv[2], std::atoi(argv[3]));
    if (argc == 4 && std::strcmp(argv[1], "control") == 0)
        return printControl(argv[2], std::atoi(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "closebox") == 0)
        return printCloseBox(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "hold") == 0) {
        Sleep(static_cast<DWORD>(std::atoi(argv[2])) * 1000);
        return 0;
    }
    return usage();
}
