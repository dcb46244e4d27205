#include <SDL.h>
#include <SDL_opengl.h>
#include <imgui.h>
#include <imgui_impl_opengl2.h>
#include <imgui_impl_sdl.h>

#include <cstdio>

#include "program/launcher.h"
#include "backends/sdl/launcher_panel.h"
#include "backends/sdl/quit_signal.h"
#include "backends/sdl/video.h"

namespace {

const char* const launcherTitle = "duskwheel kset 2.0";
const char* const dialogFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float dialogFontSize = 13.0f;

// ImGui only looks settled a frame or two after the input that changed it.
constexpr int framesAfterInput = 3;
// Long enough to leave the processor alone, short enough that a key feels instant.
constexpr Uint32 idleNapMs = 10;

struct LauncherWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext gl = nullptr;
    bool imgui = false;
};

bool fileReadable(const char* path)
{
    if (std::FILE* file = std::fopen(path, "rb")) {
        std::fclose(file);
        return true;
    }
    return false;
}

// A light, flat look with a native dialog's greys and a blue accent.
void applyDialogStyle()
{
    ImGui::StyleColorsLight();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowPadding = ImVec2(0, 0);
    style.WindowBorderSize = 0;
    style.WindowRounding = 0;
    style.FrameRounding = 2;
    style.FrameBorderSize = 1;
    style.FramePadding = ImVec2(5, 3);
    style.ItemSpacing = ImVec2(6, 2);
    style.ItemInnerSpacing = ImVec2(6, 4);
    style.PopupBorderSize = 1;
    style.PopupRounding = 0;
    style.ScrollbarSize = 12;
    style.ScrollbarRounding = 2;
    style.DisabledAlpha = 0.45f;

    ImVec4* c = style.Colors;
    const ImVec4 face(0.941f, 0.941f, 0.941f, 1.0f);
    const ImVec4 white(1, 1, 1, 1);
    const ImVec4 accent(0.0f, 0.471f, 0.843f, 1.0f);
    c[ImGuiCol_Text] = ImVec4(0.0f, 0.0f, 0.0f, 1.0f);
    c[ImGuiCol_TextDisabled] = ImVec4(0.43f, 0.43f, 0.43f, 1.0f);
    c[ImGuiCol_WindowBg] = face;
    c[ImGuiCol_ChildBg] = white;
    c[ImGuiCol_PopupBg] = white;
    c[ImGuiCol_Border] = ImVec4(0.68f, 0.68f, 0.68f, 1.0f);
    c[ImGuiCol_BorderShadow] = ImVec4(0, 0, 0, 0);
    c[ImGuiCol_Separator] = ImVec4(0.82f, 0.82f, 0.82f, 1.0f);
    c[ImGuiCol_FrameBg] = white;
    c[ImGuiCol_FrameBgHovered] = white;
    c[ImGuiCol_FrameBgActive] = white;
    c[ImGuiCol_Button] = ImVec4(0.882f, 0.882f, 0.882f, 1.0f);
    c[ImGuiCol_ButtonHovered] = ImVec4(0.898f, 0.945f, 0.984f, 1.0f);
    c[ImGuiCol_ButtonActive] = ImVec4(0.800f, 0.894f, 0.969f, 1.0f);
    c[ImGuiCol_Header] = ImVec4(0.800f, 0.894f, 0.969f, 1.0f);
    c[ImGuiCol_HeaderHovered] = ImVec4(0.898f, 0.945f, 0.984f, 1.0f);
    c[ImGuiCol_HeaderActive] = ImVec4(0.800f, 0.894f, 0.969f, 1.0f);
    c[ImGuiCol_CheckMark] = ImVec4(0.13f, 0.13f, 0.13f, 1.0f);
    c[ImGuiCol_ScrollbarBg] = face;
    c[ImGuiCol_ScrollbarGrab] = ImVec4(0.80f, 0.80f, 0.80f, 1.0f);
    c[ImGuiCol_ScrollbarGrabHovered] = ImVec4(0.65f, 0.65f, 0.65f, 1.0f);
    c[ImGuiCol_ScrollbarGrabActive] = ImVec4(0.55f, 0.55f, 0.55f, 1.0f);
    c[ImGuiCol_NavHighlight] = accent;
}

bool openWindow(LauncherWindow& w)
{
    int width = 0;
    int height = 0;
    launcherWindowSize(width, height);

    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // Always on top and off the taskbar, like the tool window it stands for;
    // fixed size, since the layout is.
    w.window = SDL_CreateWindow(launcherTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP |
                                    SDL_WINDOW_SKIP_TASKBAR);
    if (!w.window) {
        std::fprintf(stderr, "duskwheel: cannot create the launcher window: %s\n", SDL_GetError());
        return false;
    }
    w.gl = SDL_GL_CreateContext(w.window);
    if (!w.gl || SDL_GL_MakeCurrent(w.window, w.gl) != 0) {
        std::fprintf(stderr, "duskwheel: cannot create the launcher's OpenGL context: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetSwapInterval(1);

    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    w.imgui = true;
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // nothing about the launcher is remembered
    io.LogFilename = nullptr;
    if (!fileReadable(dialogFont) || !io.Fonts->AddFontFromFileTTF(dialogFont, dialogFontSize))
        io.Fonts->AddFontDefault();
    applyDialogStyle();
    ImGui_ImplSDL2_InitForOpenGL(w.window, w.gl);
    ImGui_ImplOpenGL2_Init();

    SDL_ShowWindow(w.window);
    SDL_RaiseWindow(w.window);
    return true;
}

// The show window sets its own GL attributes and must find no trace of the
// launcher: no window, no context and no queued key that it could take for its own.
void closeWindow(LauncherWindow& w)
{
    if (w.imgui) {
        ImGui_ImplOpenGL2_Shutdown();
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext();
        w.imgui = false;
    }
    if (w.gl) {
        SDL_GL_MakeCurrent(w.window, nullptr);
        SDL_GL_DeleteContext(w.gl);
        w.gl = nullptr;
    }
    if (w.window) {
        SDL_DestroyWindow(w.window);
        w.window = nullptr;
    }
    SDL_GL_ResetAttributes();
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void handleEvent(LauncherPanel& panel, const LauncherWindow& w, const SDL_Event& event)
{
    ImGui_ImplSDL2_ProcessEvent(&event);
    switch (event.type) {
    case SDL_QUIT:
        panel.result = launcherLeft;
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE && event.window.windowID == SDL_GetWindowID(w.window))
            panel.result = launcherLeft;
        break;
    case SDL_KEYDOWN:
        handleLauncherKey(panel, event.key.keysym.sym, event.key.keysym.mod);
        break;
    default:
        break;
    }
}

void drawFrame(LauncherPanel& panel, const LauncherWindow& w)
{
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    drawLauncherPanel(panel);
    ImGui::Render();
    const ImGuiIO& io = ImGui::GetIO();
    glViewport(0, 0, static_cast<int>(io.DisplaySize.x), static_cast<int>(io.DisplaySize.y));
    const ImVec4 face = ImGui::GetStyle().Colors[ImGuiCol_WindowBg];
    glClearColor(face.x, face.y, face.z, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    SDL_GL_SwapWindow(w.window);
}

}  // namespace

int runLauncher(const LauncherLists& lists, ShowSettings& settings)
{
    // No display means no launcher: say so and fail, rather than pass it off as a Quit.
    if (const char* why = sdlVideoUnreachable()) {
        std::fprintf(stderr, "duskwheel: cannot open the display %s\n", why);
        return launcherUnavailable;
    }

    LauncherWindow w;
    if (!openWindow(w)) {
        closeWindow(w);
        return launcherUnavailable;
    }

    LauncherPanel panel;
    openLauncherPanel(panel, lists, settings);
    int framesToDraw = framesAfterInput;
    while (panel.result == 0) {
        SDL_Event event;
        while (panel.result == 0 && SDL_PollEvent(&event)) {
            handleEvent(panel, w, event);
            framesToDraw = framesAfterInput;
        }
        if (quitSignalled())
            panel.result = launcherLeft;
        if (panel.result != 0)
            break;
        // An idle dialog naps between polls instead of drawing all the time.
        // Not SDL_WaitEvent: on X11 a wait can leave a wake-up message
        // addressed to this window in flight while it is destroyed, and the
        // BadWindow reply then ends the program with exit code 1 when SDL
        // closes the display after the show (about one launch in twenty).
        if (framesToDraw <= 0) {
            SDL_Delay(idleNapMs);
            continue;
        }
        drawFrame(panel, w);
        --framesToDraw;
    }

    closeWindow(w);
    return panel.result;
}
