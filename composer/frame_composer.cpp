#include "composer/frame_composer.h"

#include <cstdio>

#include "assets/shader_registry.h"
#include "frame/band_lighting.h"
#include "frame/beat_tracking.h"
#include "frame/screen_quads.h"
#include "music/music_track.h"
#include "gl/gl.h"
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

void FrameComposer::draw(int32_t showTime, float frameDelta)
{
    BeatState& beat = show.beat;
    music->captureSpectrum();
    beat.spectrum = music->spectrumBins;

    const int32_t t = showTime;
    const float seconds = frameDelta * 0.5f;
    const float sceneDelta = frameDelta * 0.25f;

    beat.orbitPhase += static_cast<float>(frameDelta * 0.125);
    const float rollAngle = beat.orbitPhase * 15.0f;

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    drawBackgroundQuad(backgroundColour);

    // The camera still sees the previous frame's hit; the beat below is this frame's.
    show.camera = cameraFor(beat.orbitPhase, rollAngle, beat.sinceHit);
    applyCamera(show.camera);
    detectBeat(beat);
    updateShowCounters(beat, t, seconds);

    for (int band = 0; band < bandCount; ++band) {
        const PaletteColour& colour = bandPalettes[beat.paletteIndex][band];
        setBandMaterial(colour.r, colour.g, colour.b);
        drawBand(0.0f, 0.0, bandOffsets[band], band, bandAngles, backgroundColour, textures, shaders);
    }

    const float spinAngle = beat.spinDirection * rollAngle;
    const float logoLift = currentStepDepth(beat.beatStep) + 4.0f;
    drawLogoScene(t, sceneDelta, spinAngle, logoLift, beat.spinDirection, beat.beatStep, show.logo, textures);
    drawTextCaption(t, beat.bounceCounter, beat.beatStep, textures);
    drawTextWallFirst(t, sceneDelta, beat.spectrum, beat.beatStep, show.firstWall, textures);
    drawDotGrid(t, sceneDelta, spinAngle, beat.spectrum, beat.beatStep, beat.paletteIndex, beat.stepScale, textures);
    drawGreetingsCaption(t, sceneDelta, beat.greetsStep, beat.beatStep, show.captions, textures);
    drawTextWallSecond(t, sceneDelta, beat.spectrum, beat.beatStep, show.secondWall, textures);
    if (t >= 82000)
        drawCreditsCaption(spinAngle, beat.creditsStep, beat.beatStep, textures);
}

void FrameComposer::drawScreenFades(int32_t showTime)
{
    ::drawScreenFades(showTime, show.fadeDone);
}

void FrameComposer::resetScreenFades()
{
    ::resetScreenFades(show.fadeDone);
}
