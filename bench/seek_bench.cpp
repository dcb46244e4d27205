// Reaching a show time without drawing: every tick before it runs with the
// track's spectrum at the tick's own time, as a player started with --from,
// the capture tool's first frame and the page's position bar reach theirs.
// Cold: the track's table of tick spectra fills on the way; warm: it is full.
//   cd build/linux && ../../scripts/with-xvfb bench/duskwheel-bench --benchmark_filter=Reach
#include <benchmark/benchmark.h>

#include "assets/show_assets.h"
#include "composer/frame_composer.h"
#include "music/music_track.h"
#include "music/show_music.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "run/demo_context.h"
#include "tests/gl/gl_test_context.h"

namespace {

void ReachShowTime(benchmark::State& state)
{
    const bool cold = state.range(0) == 0;
    const int32_t target = static_cast<int32_t>(state.range(1));
    glTestContext();  // the band shader needs a context to build
    SoundLayer layer(platformSoundBackend());
    soundUseExplicitPosition(layer, true);
    MusicTrack music(layer);
    if (!loadShowMusic(music)) {
        state.SkipWithError("no Data/music.mp3 here");
        return;
    }
    ShaderRegistry shaders;
    loadShowShaders(shaders);
    const TextureRegistry textures;
    FrameComposer composer(music, textures, shaders);
    composer.reach(target);  // the table full, for the warm case
    for (auto _ : state) {
        state.PauseTiming();
        composer.reach(0);  // back to the start
        if (cold) {
            music.tickTable.clear();
        }
        state.ResumeTiming();
        composer.reach(target);
        benchmark::DoNotOptimize(composer.state().beat.paletteIndex);
    }
    state.counters["ticks"] = static_cast<double>(composer.state().nextTick);
}
BENCHMARK(ReachShowTime)->ArgNames({"warm", "ms"})->Args({0, 91000})->Args({1, 91000})->Unit(benchmark::kMillisecond);

}  // namespace
