#include "tests/gl/show_frame.h"

#include <algorithm>
#include <cstdlib>

#include "assets/show_assets.h"
#include "assets/texture_registry.h"
#include "composer/frame_composer.h"
#include "composer/show_advance.h"
#include "gl/gl.h"
#include "run/demo_context.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/show_model.h"

Frame readFrame()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    Frame frame;
    frame.width = glTestContext().settings.width;
    frame.height = glTestContext().settings.height;
    frame.rgb.resize(static_cast<size_t>(frame.width) * frame.height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

int64_t countChanged(const Frame& a, const Frame& b, int tolerance)
{
    int64_t changed = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3) {
        for (size_t c = 0; c < 3; ++c) {
            if (std::abs(a.rgb[i + c] - b.rgb[i + c]) > tolerance) {
                ++changed;
                break;
            }
        }
    }
    return changed;
}

void lowBins(int count, float level)
{
    std::fill(glTestContext().music.spectrumBins, glTestContext().music.spectrumBins + count, level);
}

namespace {

FrameComposer* current = nullptr;  // a ComposerInUse's, else the default one

FrameComposer& defaultComposer()
{
    static FrameComposer* made = nullptr;
    if (!made) {
        glTestContext();
        // The band shader of the live show, over a plain white band texture
        // so that the bands show their palette colours as they are lit. The
        // scenes' sheets stay unregistered: their cards are plain rectangles
        // of their brightness.
        loadShowShaders(glTestContext().shaders);
        const std::vector<unsigned char> white(4 * 4 * 4, 255);
        glTestContext().textures.create("OVERLAY", 4, 4, white.data());
        made = new FrameComposer(glTestContext().music, glTestContext().textures, glTestContext().shaders);
    }
    return *made;
}

const TextureRegistry& testPictures()
{
    defaultComposer();  // the GL context first
    static TextureRegistry* pictures = nullptr;
    if (!pictures) {
        pictures = new TextureRegistry;
        registerTestPictures(*pictures);
    }
    return *pictures;
}

}  // namespace

FrameComposer& testComposer()
{
    return current ? *current : defaultComposer();
}

void resetShowState(const StateSetup& setup)
{
    FrameComposer& composer = testComposer();
    ShowState state;
    state.beat.orbitPhase = 2.0f;
    state.fadeDone[0] = 1;
    state.fadeDone[1] = 1;
    std::fill(std::begin(glTestContext().music.spectrumBins), std::end(glTestContext().music.spectrumBins), 0.0f);
    if (setup)
        setup(state);
    composer.resume(state);
}

void drawComposerFrame(int32_t showTime, float frameDelta)
{
    ShowState state = testComposer().state();
    advanceShowTick(state, showTime, frameDelta, glTestContext().music.spectrumBins);
    testComposer().resume(state);
    testComposer().drawState();
}

Frame composeAt(int32_t showTime, const StateSetup& setup, float frameDelta)
{
    resetShowState(setup);
    drawComposerFrame(showTime, frameDelta);
    return readFrame();
}

ComposerInUse::ComposerInUse(const TextureRegistry& textures, const ShaderRegistry& shaders)
    : composer(nullptr), previous(current)
{
    defaultComposer();  // the GL context and the show's shaders first
    composer = new FrameComposer(glTestContext().music, textures, shaders);
    current = composer;
}

ComposerInUse::~ComposerInUse()
{
    current = previous;
    delete composer;
}

TestPicturesInUse::TestPicturesInUse() : ComposerInUse(testPictures(), glTestContext().shaders) {}
