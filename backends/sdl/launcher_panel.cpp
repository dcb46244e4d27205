#include "backends/sdl/launcher_panel.h"

#include <imgui.h>

#include <algorithm>
#include <string>

#include "program/launcher.h"

namespace {

// The dialog is laid out in the dialog units of the Windows template, so
// both launchers have the same geometry; this is one unit in pixels for a
// 13-pixel font.
constexpr float unitX = 1.75f;
constexpr float unitY = 1.75f;
constexpr float dialogWidth = 417.0f;
constexpr float dialogHeight = 87.0f;

ImVec2 units(float x, float y)
{
    return ImVec2(x * unitX, y * unitY);
}

const ImU32 focusColour = IM_COL32(0, 120, 215, 255);

bool launchAllowed(const LauncherPanel& panel)
{
    return canLaunch(panel.lists, panel.choices);
}

void launch(LauncherPanel& panel)
{
    if (applyLauncherChoices(panel.lists, panel.choices, *panel.settings))
        panel.result = launcherLaunched;
}

void quit(LauncherPanel& panel)
{
    panel.result = launcherLeft;
}

// Moves a list's selection by delta entries, stopping at either end. An
// empty selection starts from the end the key points away from.
void moveSelection(int& position, int count, int delta)
{
    if (count <= 0)
        return;
    if (position < 0)
        position = delta > 0 ? 0 : count - 1;
    else
        position = std::clamp(position + delta, 0, count - 1);
}

int entryCount(const LauncherPanel& panel, int control)
{
    switch (control) {
    case ResolutionBox: return static_cast<int>(panel.lists.resolutions.size());
    case AspectList: return static_cast<int>(panel.lists.aspects.size());
    case SamplesList: return static_cast<int>(panel.lists.multisampling.size());
    default: return 0;
    }
}

int* selectionOf(LauncherPanel& panel, int control)
{
    switch (control) {
    case ResolutionBox: return &panel.choices.resolution;
    case AspectList: return &panel.choices.aspect;
    case SamplesList: return &panel.choices.multisampling;
    default: return nullptr;
    }
}

bool* checkOf(LauncherPanel& panel, int control)
{
    switch (control) {
    case FullscreenCheck: return &panel.choices.fullscreen;
    case VSyncCheck: return &panel.choices.vsync;
    case MusicCheck: return &panel.choices.music;
    default: return nullptr;
    }
}

// Tab skips a disabled Launch button, as a dialog skips disabled controls.
void moveFocus(LauncherPanel& panel, int delta)
{
    int next = panel.focus;
    do
        next = (next + delta + LauncherControlCount) % LauncherControlCount;
    while (next == LaunchButton && !launchAllowed(panel));
    panel.focus = next;
    panel.closeCombo = panel.comboOpen;
}

void press(LauncherPanel& panel)
{
    if (panel.focus == LaunchButton && launchAllowed(panel))
        launch(panel);
    else if (panel.focus == QuitButton)
        quit(panel);
    else if (bool* check = checkOf(panel, panel.focus))
        *check = !*check;
}

// Draws a flat group box: a thin frame whose top edge is broken by the caption.
void groupBox(const char* caption, float x, float y, float w, float h)
{
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImVec2 origin = ImGui::GetWindowPos();
    const ImVec2 topLeft(origin.x + x * unitX, origin.y + y * unitY);
    const ImVec2 bottomRight(topLeft.x + w * unitX, topLeft.y + h * unitY);
    const float lineY = topLeft.y + ImGui::GetFontSize() * 0.5f;
    const ImVec2 text = ImGui::CalcTextSize(caption);
    const float textX = topLeft.x + 7.0f;
    const ImU32 line = ImGui::GetColorU32(ImGuiCol_Separator);
    draw->AddRect(ImVec2(topLeft.x, lineY), bottomRight, line, 3.0f);
    draw->AddRectFilled(ImVec2(textX - 3.0f, topLeft.y), ImVec2(textX + text.x + 3.0f, lineY + 1.0f),
                        ImGui::GetColorU32(ImGuiCol_WindowBg));
    draw->AddText(ImVec2(textX, topLeft.y), ImGui::GetColorU32(ImGuiCol_Text), caption);
}

void focusFrameAround(const LauncherPanel& panel, int control, ImVec2 min, ImVec2 max, float grow)
{
    if (panel.focus != control)
        return;
    ImGui::GetWindowDrawList()->AddRect(ImVec2(min.x - grow, min.y - grow), ImVec2(max.x + grow, max.y + grow),
                                        focusColour, ImGui::GetStyle().FrameRounding, 0, 1.0f);
}

void focusFrame(const LauncherPanel& panel, int control, float grow)
{
    focusFrameAround(panel, control, ImGui::GetItemRectMin(), ImGui::GetItemRectMax(), grow);
}

void takeFocusOnClick(LauncherPanel& panel, int control)
{
    if (ImGui::IsItemClicked())
        panel.focus = control;
}

void drawButtons(LauncherPanel& panel)
{
    const ImVec2 size = units(50, 14);
    const bool allowed = launchAllowed(panel);

    // The default button wears the accent on its border.
    ImGui::SetCursorPos(units(360, 23));
    ImGui::BeginDisabled(!allowed);
    ImGui::PushStyleColor(ImGuiCol_Border, focusColour);
    if (ImGui::Button("Launch", size)) {
        panel.focus = LaunchButton;
        launch(panel);
    }
    ImGui::PopStyleColor();
    ImGui::EndDisabled();
    focusFrame(panel, LaunchButton, 2.0f);

    ImGui::SetCursorPos(units(360, 47));
    if (ImGui::Button("Quit", size)) {
        panel.focus = QuitButton;
        quit(panel);
    }
    focusFrame(panel, QuitButton, 2.0f);
}

void drawResolutionBox(LauncherPanel& panel)
{
    groupBox("Resolution", 7, 7, 108, 72);
    ImGui::SetCursorPos(units(14, 20));
    const float width = 96 * unitX;
    const ImVec2 boxMin = ImGui::GetCursorScreenPos();
    const ImVec2 boxMax(boxMin.x + width, boxMin.y + ImGui::GetFrameHeight());
    ImGui::SetNextItemWidth(width);
    const std::string caption = resolutionCaption(panel.lists, panel.choices);
    const bool empty = panel.lists.resolutions.empty();
    // A plain drop-down without an edit field: text typed into the box would never be read.
    // An open drop-down is a window of its own, which must not start inside a
    // disabled section; a disabled box never opens, so only it is wrapped.
    if (empty) {
        ImGui::BeginDisabled();
        ImGui::BeginCombo("##resolution", caption.c_str());
        ImGui::EndDisabled();
        panel.comboOpen = false;
    } else {
        panel.comboOpen = ImGui::BeginCombo("##resolution", caption.c_str(), ImGuiComboFlags_HeightRegular);
    }
    if (panel.comboOpen) {
        panel.focus = ResolutionBox;  // an open drop-down has the focus, however it was opened
        for (size_t i = 0; i < panel.lists.resolutions.size(); ++i) {
            const bool selected = panel.choices.resolution == static_cast<int>(i);
            if (ImGui::Selectable(panel.lists.resolutions[i].c_str(), selected))
                panel.choices.resolution = static_cast<int>(i);
            if (selected) {
                ImGui::SetItemDefaultFocus();
                if (panel.scrollToChoice)
                    ImGui::SetScrollHereY();
            }
        }
        if (panel.closeCombo)
            ImGui::CloseCurrentPopup();
        ImGui::EndCombo();
    }
    panel.closeCombo = false;
    focusFrameAround(panel, ResolutionBox, boxMin, boxMax, 0.0f);
}

void drawList(LauncherPanel& panel, int control, const char* id, const std::vector<std::string>& entries,
              float x, float y, float w, float h)
{
    int& selection = *selectionOf(panel, control);
    ImGui::SetCursorPos(units(x, y));
    if (ImGui::BeginListBox(id, units(w, h))) {
        for (size_t i = 0; i < entries.size(); ++i) {
            const bool selected = selection == static_cast<int>(i);
            if (ImGui::Selectable(entries[i].c_str(), selected)) {
                selection = static_cast<int>(i);
                panel.focus = control;
            }
            if (selected && panel.scrollToChoice && panel.focus == control)
                ImGui::SetScrollHereY();
        }
        ImGui::EndListBox();
    }
    focusFrame(panel, control, 0.0f);
}

void drawCheck(LauncherPanel& panel, int control, const char* caption, float x, float y)
{
    ImGui::SetCursorPos(units(x, y));
    ImGui::Checkbox(caption, checkOf(panel, control));
    takeFocusOnClick(panel, control);
    focusFrame(panel, control, 1.0f);
}

}  // namespace

void launcherWindowSize(int& width, int& height)
{
    const ImVec2 size = units(dialogWidth, dialogHeight);
    width = static_cast<int>(size.x + 0.5f);
    height = static_cast<int>(size.y + 0.5f);
}

void openLauncherPanel(LauncherPanel& panel, const LauncherLists& lists, ShowSettings& settings)
{
    panel = LauncherPanel();
    panel.settings = &settings;
    panel.lists = lists;
    panel.choices = initialLauncherChoices(panel.lists);
    // Without a resolution to launch at, Enter must not land on Quit: the
    // resolution box is where the user has to go first.
    panel.focus = launchAllowed(panel) ? LaunchButton : ResolutionBox;
}

void handleLauncherKey(LauncherPanel& panel, SDL_Keycode key, Uint16 modifiers)
{
    switch (key) {
    case SDLK_TAB:
        moveFocus(panel, (modifiers & KMOD_SHIFT) ? -1 : 1);
        break;
    case SDLK_ESCAPE:
        if (panel.comboOpen)
            panel.closeCombo = true;
        else
            quit(panel);
        break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        if (panel.comboOpen)
            panel.closeCombo = true;
        else if (panel.focus == QuitButton)
            quit(panel);
        else if (launchAllowed(panel))
            launch(panel);
        break;
    case SDLK_SPACE:
        press(panel);
        break;
    case SDLK_UP:
    case SDLK_LEFT:
    case SDLK_DOWN:
    case SDLK_RIGHT:
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN:
    case SDLK_HOME:
    case SDLK_END: {
        int* selection = selectionOf(panel, panel.focus);
        if (!selection)
            break;
        const int count = entryCount(panel, panel.focus);
        const bool back = key == SDLK_UP || key == SDLK_LEFT || key == SDLK_PAGEUP || key == SDLK_HOME;
        int step = 1;
        if (key == SDLK_PAGEUP || key == SDLK_PAGEDOWN)
            step = 4;  // about a list box's height
        else if (key == SDLK_HOME || key == SDLK_END)
            step = count;
        moveSelection(*selection, count, back ? -step : step);
        panel.scrollToChoice = true;
        break;
    }
    default:
        break;
    }
}

void drawLauncherPanel(LauncherPanel& panel)
{
    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    ImGui::SetNextWindowPos(viewport->Pos);
    ImGui::SetNextWindowSize(viewport->Size);
    ImGui::Begin("##launcher", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBringToFrontOnFocus | ImGuiWindowFlags_NoScrollWithMouse);

    drawButtons(panel);
    drawResolutionBox(panel);
    groupBox("Aspect Ratio", 124, 7, 68, 72);
    drawList(panel, AspectList, "##aspect", panel.lists.aspects, 131, 21, 55, 51);
    groupBox("Multisampling", 200, 7, 67, 72);
    drawList(panel, SamplesList, "##samples", panel.lists.multisampling, 206, 22, 55, 50);
    groupBox("Other options", 276, 7, 73, 72);
    drawCheck(panel, FullscreenCheck, "Fullscreen", 283, 23);
    drawCheck(panel, VSyncCheck, "VSync", 283, 36);
    drawCheck(panel, MusicCheck, "Music", 283, 50);

    ImGui::End();
    panel.scrollToChoice = false;
}
