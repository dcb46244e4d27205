#pragma once
#include <cstdint>

#include "composer/show_state.h"
#include "frame/bands.h"

struct MusicTrack;
struct ShaderRegistry;
struct TextureRegistry;

// Turns the show time into one picture: spectrum, clear, background, camera,
// beat values, the five bands and the seven scenes in their fixed order, then
// the final pass. Made once after loading; the scenes' own windows decide
// what shows. Holds the show's state and publishes the registries, the
// background colour and the band angles to the bands and scenes it calls.
class FrameComposer {
public:
    FrameComposer(MusicTrack& music, const TextureRegistry& textures, const ShaderRegistry& shaders);
    FrameComposer(const FrameComposer&) = delete;
    FrameComposer& operator=(const FrameComposer&) = delete;

    // Needs the GL context current and the show's projection in place.
    // frameDelta is the time since the previous frame, 2.0 a second.
    void draw(int32_t showTime, float frameDelta);

    // The final pass over the picture draw left.
    void drawScreenFades(int32_t showTime);
    // Both fades pending again; start-up calls it just before the music starts.
    void resetScreenFades();

    const ShowState& state() const { return show; }
    // Carries on from the given state instead: the tests and the benchmark
    // draw single frames from deep inside a run.
    void resume(const ShowState& from) { show = from; }

private:
    MusicTrack* music;
    const TextureRegistry* textures;
    const ShaderRegistry* shaders;
    float bandAngles[bandCount] = {};
    float backgroundColour[4];
    ShowState show;
};
