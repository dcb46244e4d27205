#pragma once
#include <cstdint>

// The page around the program (backends/web/page_calls.js): what the C++ side
// asks of it and hands to it.
extern "C" {

// The canvas's size in device pixels: its laid-out size times devicePixelRatio.
int duskPageCanvasWidth();
int duskPageCanvasHeight();
// Sets the canvas's drawing buffer to width x height.
void duskPageSizeCanvas(int width, int height);
// The next key pressed on the page as a Windows virtual-key code, or 0.
int duskPageNextKey();
// True once the page asked the show to end: fullscreen left, the tap
// control, the WebGL context lost.
int duskPageQuitAsked();
// The canvas's picture now, kept as a PNG in <img id="frame-T">.
void duskPageKeepFrame(int showTime);
// Every frame asked for is kept.
void duskPageFramesDone();
// Fills the launcher form from the lists ("\n"-separated entries) and shows it.
void duskPageShowLauncher(const char* aspects, const char* multisampling, int aspect, int fullscreen, int music);
// The show has begun, ended (after it played) or could not start.
void duskPageShowStarted();
// The show's first frame is drawn.
void duskPageFirstFrame();
void duskPageShowEnded();
void duskPageShowFailed();
// A seek waits for the music to be decoded that far (1), or no longer (0).
void duskPageMusicWait(int waiting);
// The browser gives no WebGL 2 context: the page says so, and offers no launcher.
void duskPageNoWebGl();
}
