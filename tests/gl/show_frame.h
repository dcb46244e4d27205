#pragma once
#include <cstdint>
#include <functional>
#include <vector>

class FrameComposer;
struct ShaderRegistry;
struct ShowState;
struct TextureRegistry;

// One frame read back from the test window, bottom row first as GL has it.
struct Frame {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* at(int32_t x, int32_t y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

Frame readFrame();

// Number of pixels whose colour differs by more than tolerance in any channel.
int64_t countChanged(const Frame& a, const Frame& b, int tolerance = 0);

// What a test changes in the show's state before its frame.
using StateSetup = std::function<void(ShowState&)>;

// The show's state as a frame deep into a run would find it with a silent
// spectrum (both fades finished, counters at rest), then setup's changes,
// handed to the composer the frames are drawn with.
void resetShowState(const StateSetup& setup = {});

// The spectrum's first count bins at level (the beat detector reads the low ones).
void lowBins(int count, float level);

// Draws the composer's frame at showTime, without the final pass, from the
// state resetShowState leaves; the default composer is made on the first call.
Frame composeAt(int32_t showTime, const StateSetup& setup = {}, float frameDelta = 0.032f);

// One more composer frame from whatever state the previous frames left.
void drawComposerFrame(int32_t showTime, float frameDelta);

// The composer the frames above are drawn with, for its final pass and state.
FrameComposer& testComposer();

// While one lives, the frames above are drawn by a composer of its own over
// these registries instead of the default ones.
class ComposerInUse {
public:
    ComposerInUse(const TextureRegistry& textures, const ShaderRegistry& shaders);
    ~ComposerInUse();
    ComposerInUse(const ComposerInUse&) = delete;
    ComposerInUse& operator=(const ComposerInUse&) = delete;

private:
    FrameComposer* composer;
    FrameComposer* previous;
};

// While one lives, the scenes and bands find the coded test pictures of
// show_model.h instead of the default registry (unregistered sheets and a
// white band texture).
struct TestPicturesInUse : ComposerInUse {
    TestPicturesInUse();
};
