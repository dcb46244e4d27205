#include <windows.h>

#include <cstdio>

#include "launcher/launcher_model.h"
#include "program/launcher.h"
#include "backends/win32/launcher_ids.h"
#include "program/launcher.h"

namespace {

const char* const settingsProperty = "THIS";

// What the dialog was filled from, for the dialog's lifetime; reading the
// choices maps positions back through the same lists.
LauncherLists lists;
bool dialogOpened = false;

int selected(HWND dialog, int control, UINT message)
{
    const LRESULT position = SendDlgItemMessageA(dialog, control, message, 0, 0);
    return position < 0 ? -1 : static_cast<int>(position);
}

bool checked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) != BST_UNCHECKED;
}

LauncherChoices readChoices(HWND dialog)
{
    LauncherChoices choices;
    choices.resolution = selected(dialog, IDC_RESOLUTION, CB_GETCURSEL);
    choices.aspect = selected(dialog, IDC_ASPECT, LB_GETCURSEL);
    choices.multisampling = selected(dialog, IDC_SAMPLES, LB_GETCURSEL);
    choices.fullscreen = checked(dialog, IDC_FULLSCREEN);
    choices.vsync = checked(dialog, IDC_VSYNC);
    choices.music = checked(dialog, IDC_MUSIC);
    return choices;
}

// Launch needs a resolution to launch at; without one it stays greyed out.
void updateLaunchButton(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDC_LAUNCH), canLaunch(lists, readChoices(dialog)) ? TRUE : FALSE);
}

// What Launch launches must be what the box shows, and the box's own
// bookkeeping cannot be trusted with typed text: wine keeps the old
// selection through the first keystroke after one is chosen. So the
// selection follows the text: a listed resolution spelt out selects it,
// anything else selects nothing. It is set on the list itself, since
// CB_SETCURSEL would overwrite what was typed, and empty it for no selection.
void followTypedResolution(HWND dialog)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_RESOLUTION, text, sizeof text);
    const LRESULT match = SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(text));
    COMBOBOXINFO box = {};
    box.cbSize = sizeof box;
    if (GetComboBoxInfo(GetDlgItem(dialog, IDC_RESOLUTION), &box))
        SendMessageA(box.hwndList, LB_SETCURSEL, static_cast<WPARAM>(match), 0);
    updateLaunchButton(dialog);
}

void addStrings(HWND dialog, int control, UINT message, const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries)
        SendDlgItemMessageA(dialog, control, message, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void fill(HWND dialog)
{
    const LauncherChoices initial = initialLauncherChoices(lists);

    addStrings(dialog, IDC_RESOLUTION, CB_ADDSTRING, lists.resolutions);
    // With the desktop's resolution missing nothing is selected.
    SendDlgItemMessageA(dialog, IDC_RESOLUTION, CB_SETCURSEL, static_cast<WPARAM>(initial.resolution), 0);
    addStrings(dialog, IDC_SAMPLES, LB_ADDSTRING, lists.multisampling);
    SendDlgItemMessageA(dialog, IDC_SAMPLES, LB_SETCURSEL, static_cast<WPARAM>(initial.multisampling), 0);
    addStrings(dialog, IDC_ASPECT, LB_ADDSTRING, lists.aspects);
    SendDlgItemMessageA(dialog, IDC_ASPECT, LB_SETCURSEL, static_cast<WPARAM>(initial.aspect), 0);
    CheckDlgButton(dialog, IDC_FULLSCREEN, initial.fullscreen ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_VSYNC, initial.vsync ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_MUSIC, initial.music ? BST_CHECKED : BST_UNCHECKED);
    updateLaunchButton(dialog);
}

INT_PTR handleMessage(HWND dialog, UINT message, WPARAM wParam, ShowSettings& settings)
{
    switch (message) {
    case WM_INITDIALOG:
        fill(dialog);
        if (IsWindowEnabled(GetDlgItem(dialog, IDC_LAUNCH)))
            return TRUE;  // the dialog manager focuses the first tab stop, Launch
        // Launch greyed out: the focus goes where a resolution is chosen, not on to Quit.
        SetFocus(GetDlgItem(dialog, IDC_RESOLUTION));
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, launcherLeft);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
        case IDC_QUIT:
            EndDialog(dialog, launcherLeft);
            break;
        case IDC_LAUNCH:
            // Enter reaches here even while the button is greyed out.
            if (applyLauncherChoices(lists, readChoices(dialog), settings))
                EndDialog(dialog, launcherLaunched);
            break;
        case IDC_RESOLUTION:
            if (HIWORD(wParam) == CBN_SELCHANGE)
                updateLaunchButton(dialog);
            else if (HIWORD(wParam) == CBN_EDITCHANGE)
                followTypedResolution(dialog);
            break;
        default:
            break;
        }
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK launcherDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetPropA(dialog, settingsProperty, reinterpret_cast<HANDLE>(lParam));
        dialogOpened = true;
    }
    auto* settings = reinterpret_cast<ShowSettings*>(GetPropA(dialog, settingsProperty));
    if (!settings)
        return FALSE;
    if (message == WM_DESTROY)
        RemovePropA(dialog, settingsProperty);
    return handleMessage(dialog, message, wParam, *settings);
}

}  // namespace

int runLauncher(const LauncherLists& offered, ShowSettings& settings)
{
    lists = offered;
    dialogOpened = false;
    SetLastError(0);
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LAUNCHER), nullptr,
                                           launcherDialogProc, reinterpret_cast<LPARAM>(&settings));
    // DialogBoxParamA gives -1 for Quit and for a dialog it could not make;
    // only a dialog that was never opened is a failure.
    if (result == -1 && !dialogOpened) {
        std::fprintf(stderr, "duskwheel: cannot show the launcher dialog (error %lu)\n",
                     static_cast<unsigned long>(GetLastError()));
        return launcherUnavailable;
    }
    return static_cast<int>(result);
}
