#pragma once

struct DemoContext;
struct MusicTrack;
struct ShaderRegistry;

// Turns the show time into one picture: spectrum, clear, background, camera,
// beat values, the five bands and the seven scenes in their fixed order.
// Made once after loading; the scenes' own windows decide what shows.
class FrameComposer {
public:
    FrameComposer();
    ~FrameComposer();
    FrameComposer(const FrameComposer&) = delete;
    FrameComposer& operator=(const FrameComposer&) = delete;

    // Needs the GL context current and the show's projection in place.
    void draw();

private:
    DemoContext* context;
    MusicTrack* music;
    ShaderRegistry* shaders;
    float* bandAngles;
    float backgroundColour[4];
};
