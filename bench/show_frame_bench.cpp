// Frames per second of the live frame (composer and final pass, no swap) on
// the current GL driver, at the two window sizes and four moments of the show.
// Run under a display from the folder that holds Data/ (the band texture and
// the lettering sheets come from there, as in the live show):
//   cd build/linux && ../../scripts/with-xvfb bench/duskwheel-bench --benchmark_filter=LiveFrame
#include <benchmark/benchmark.h>

#include "assets/show_assets.h"
#include "composer/frame_composer.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"
#include "frame/viewport.h"
#include "program/window.h"
#include "launcher/aspect_code.h"
#include "run/demo_context.h"
#include "tests/gl/gl_test_context.h"

namespace {

constexpr int32_t windowWidth = 1920;
constexpr int32_t windowHeight = 1080;

FrameComposer* benchComposer()
{
    static FrameComposer* composer = nullptr;
    if (composer)
        return composer;
    glTestContext(windowWidth, windowHeight);
    loadShowShaders(glTestContext().shaders);
    loadShowTextures(glTestContext().textures, glTestContext().pictures);
    composer = new FrameComposer(glTestContext().music, glTestContext().textures, glTestContext().shaders);
    return composer;
}

// The state a live run has at t with a quiet spectrum, reached by its ticks.
void primeStateAt(FrameComposer& composer, int32_t t)
{
    for (float& bin : glTestContext().music.spectrumBins)
        bin = 0.0f;
    composer.reach(t);
}

// The picture of a width x height window: its letterbox, and a scissor so
// that the clear covers no more than that window would.
void useWindowSize(int32_t width, int32_t height)
{
    setupViewport(Ratio16x10, width, height, glTestContext().projection);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, width, height);
}

void drawLiveFrame(FrameComposer& composer)
{
    composer.draw(glTestContext().showTime);
    composer.drawScreenFades();
    glProcs.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
}

// Fragments drawn in one frame, as full-screen fills of the picture, plus the clear.
double overdrawOf(FrameComposer& composer, int32_t width, int32_t height)
{
    using GenQueries = void(APIENTRYP)(GLsizei, GLuint*);
    using QueryOp = void(APIENTRYP)(GLenum, GLuint);
    using EndQuery = void(APIENTRYP)(GLenum);
    using GetResult = void(APIENTRYP)(GLuint, GLenum, GLuint*);
    auto genQueries = reinterpret_cast<GenQueries>(lookupGlProc("glGenQueries"));
    auto beginQuery = reinterpret_cast<QueryOp>(lookupGlProc("glBeginQuery"));
    auto endQuery = reinterpret_cast<EndQuery>(lookupGlProc("glEndQuery"));
    auto getResult = reinterpret_cast<GetResult>(lookupGlProc("glGetQueryObjectuiv"));
    if (!genQueries || !beginQuery || !endQuery || !getResult)
        return 0.0;
    GLuint query = 0;
    genQueries(1, &query);
    beginQuery(GL_SAMPLES_PASSED, query);
    drawLiveFrame(composer);
    endQuery(GL_SAMPLES_PASSED);
    GLuint samples = 0;
    getResult(query, GL_QUERY_RESULT, &samples);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double picture = static_cast<double>(viewport[2]) * viewport[3];
    return 1.0 + samples / picture;
}

void BM_LiveFrame(benchmark::State& state)
{
    const int32_t width = static_cast<int32_t>(state.range(0));
    const int32_t height = static_cast<int32_t>(state.range(1));
    const int32_t t = static_cast<int32_t>(state.range(2));
    FrameComposer& composer = *benchComposer();
    useWindowSize(width, height);
    glTestContext().showTime = t;
    glTestContext().frameDelta = 0.032f;

    primeStateAt(composer, t);
    const double overdraw = overdrawOf(composer, width, height);
    for (auto _ : state) {
        primeStateAt(composer, t);
        drawLiveFrame(composer);
        glFinish();  // the software renderer draws when asked to finish
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["overdraw"] = overdraw;
    glDisable(GL_SCISSOR_TEST);
}

void showFrameArgs(benchmark::internal::Benchmark* bench)
{
    for (const auto& size : {std::pair<int, int>{1280, 800}, std::pair<int, int>{1920, 1080}})
        for (int t : {3000, 40000, 55000, 70000})
            bench->Args({size.first, size.second, t});
}

}  // namespace

BENCHMARK(BM_LiveFrame)->Apply(showFrameArgs)->ArgNames({"w", "h", "ms"})->Unit(benchmark::kMillisecond)->UseRealTime();
