#include "composer/frame_composer.h"

#include <cstdio>

#include "assets/shader_registry.h"
#include "composer/show_advance.h"
#include "frame/band_lighting.h"
#include "frame/screen_quads.h"
#include "gl/gl.h"
#include "music/music_track.h"
#include "music/show_ticks.h"
#include "scenes/dot_grid.h"

FrameComposer::FrameComposer(MusicTrack& music, const TextureRegistry& textures, const ShaderRegistry& shaders)
    : music(&music),
      textures(&textures),
      shaders(&shaders),
      backgroundColour{139.0f / 255.0f, 135.0f / 255.0f, 111.0f / 255.0f, 1.0f}
{
    // Say once that the bands fall back to fixed lighting, rather than change their look silently.
    if (!shaders.findProgram("PP"))
        std::fprintf(stderr, "duskwheel: the band shader \"PP\" did not build; the bands use fixed-function lighting\n");
}

void FrameComposer::runTicks(int32_t showTime, bool heard)
{
    float bins[tickSpectrumBins];
    const int64_t last = lastTickAt(showTime);
    for (int64_t tick = show.nextTick; tick <= last; ++tick) {
        music->tickSpectrum(tick, showTime, heard, bins);
        advanceShowTick(show, tickTime(tick), tickDelta(tick), bins);
        show.nextTick = tick + 1;
    }
}

void FrameComposer::draw(int32_t showTime)
{
    runTicks(showTime, true);
    drawShow(showBetweenTicks(show, showTime));
}

void FrameComposer::reach(int32_t showTime)
{
    if (show.nextTick > 0 && tickTime(show.nextTick - 1) > showTime)
        show = ShowState{};
    runTicks(showTime, false);
}

void FrameComposer::drawState()
{
    drawShow(show);
}

void FrameComposer::drawShow(const ShowState& state)
{
    drawn = state;
    const BeatState& beat = state.beat;
    const int32_t t = state.time;
    const float rollAngle = beat.orbitPhase * 15.0f;

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    drawBackgroundQuad(backgroundColour);
    applyCamera(state.camera);

    for (int band = 0; band < bandCount; ++band) {
        const PaletteColour& colour = bandPalettes[beat.paletteIndex][band];
        setBandMaterial(colour.r, colour.g, colour.b);
        drawBand(0.0f, 0.0, bandOffsets[band], band, bandAngles, backgroundColour, textures, shaders);
    }

    const float spinAngle = beat.spinDirection * rollAngle;
    const float logoLift = currentStepDepth(beat.beatStep) + 4.0f;
    drawLogoScene(t, spinAngle, logoLift, beat.spinDirection, beat.beatStep, state.logo, textures);
    drawTextCaption(t, beat.bounceCounter, beat.beatStep, textures);
    drawTextWallFirst(t, beat.spectrum, beat.beatStep, state.firstWall, textures);
    drawDotGrid(t, spinAngle, beat.spectrum, beat.beatStep, beat.paletteIndex, beat.stepScale, textures);
    drawGreetingsCaption(t, beat.greetsStep, beat.beatStep, state.captions, textures);
    drawTextWallSecond(t, beat.spectrum, beat.beatStep, state.secondWall, textures);
    if (t >= 82000)
        drawCreditsCaption(spinAngle, beat.creditsStep, beat.beatStep, textures);
}

void FrameComposer::drawScreenFades()
{
    drawPlannedFades(drawn.fades);
}

void FrameComposer::resetScreenFades()
{
    ::resetScreenFades(show.fadeDone);
}
