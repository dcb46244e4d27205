#pragma once
#include <cstdint>

#include "composer/show_state.h"
#include "frame/bands.h"

struct MusicTrack;
struct ShaderRegistry;
struct TextureRegistry;

// Turns the show time into one picture. The show's state advances on its
// fixed 60 Hz tick (show_advance.h), each tick reading the spectrum heard at
// its own time; a frame runs every tick up to its show time, then draws the
// state carried to that time: clear, background, camera, the five bands and
// the seven scenes in their fixed order, then the final pass. So the frame at
// a show time is the same at any display rate. Made once after loading.
class FrameComposer {
public:
    FrameComposer(MusicTrack& music, const TextureRegistry& textures, const ShaderRegistry& shaders);
    FrameComposer(const FrameComposer&) = delete;
    FrameComposer& operator=(const FrameComposer&) = delete;

    // Needs the GL context current and the show's projection in place.
    void draw(int32_t showTime);

    // Runs the ticks up to showTime without drawing, each with the spectrum
    // of the track at its own time, from the show's start when showTime lies
    // before the last tick run. A player starting at showTime, a capture's
    // first frame and a page's position bar reach their time this way, then
    // go on live with draw.
    void reach(int32_t showTime);

    // The final pass over the picture draw left.
    void drawScreenFades();
    // Both fades pending again; start-up calls it just before the music starts.
    void resetScreenFades();

    // The state as the last tick left it.
    const ShowState& state() const { return show; }
    // Carries on from the given state instead, and drawState draws it as it
    // stands: the tests and the benchmark draw single frames from deep
    // inside a run.
    void resume(const ShowState& from) { show = from; }
    void drawState();

private:
    void runTicks(int32_t showTime, bool heard);
    void drawShow(const ShowState& state);

    MusicTrack* music;
    const TextureRegistry* textures;
    const ShaderRegistry* shaders;
    float bandAngles[bandCount] = {};
    float backgroundColour[4];
    ShowState show;   // as its last tick left it
    ShowState drawn;  // as the last frame drew it
};
