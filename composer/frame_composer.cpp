#include "composer/frame_composer.h"

#include <cstdio>

#include "frame/band_lighting.h"
#include "frame/bands.h"
#include "frame/beat_state.h"
#include "frame/beat_tracking.h"
#include "frame/camera.h"
#include "frame/screen_quads.h"
#include "frame/show_resources.h"
#include "platform/gl.h"
#include "scenes/captions.h"
#include "scenes/dot_grid.h"
#include "scenes/logo.h"
#include "scenes/text_walls.h"
#include "shell/demo_context.h"

FrameComposer::FrameComposer()
    : context(&gDemo),
      music(&gDemo.music),
      shaders(&gDemo.shaders),
      bandAngles(new float[bandCount]()),
      backgroundColour{139.0f / 255.0f, 135.0f / 255.0f, 111.0f / 255.0f, 1.0f}
{
    gShowResources.textures = &context->textures;
    gShowResources.shaders = shaders;
    gShowResources.backgroundColour = backgroundColour;
    gShowResources.bandAngles = bandAngles;
    // Say once that the bands fall back to fixed lighting, rather than change their look silently.
    if (!shaders->findProgram("PP"))
        std::fprintf(stderr, "duskwheel: the band shader \"PP\" did not build; the bands use fixed-function lighting\n");
}

FrameComposer::~FrameComposer()
{
    // Unpublished too, so nothing reaches the registries or angles once the composer is gone.
    gShowResources = ShowResources{};
    delete[] bandAngles;
}

void FrameComposer::draw()
{
    music->captureSpectrum();
    gBeat.spectrum = music->spectrumBins;

    const int32_t t = context->showTime;
    const float frameDelta = context->frameDelta;
    const float seconds = frameDelta * 0.5f;
    const float sceneDelta = frameDelta * 0.25f;

    gBeat.orbitPhase += static_cast<float>(frameDelta * 0.125);
    const float rollAngle = gBeat.orbitPhase * 15.0f;

    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    drawBackgroundQuad();

    // The camera still sees the previous frame's hit; the beat below is this frame's.
    gCamera = cameraFor(gBeat.orbitPhase, rollAngle, gBeat.sinceHit);
    applyCamera();
    detectBeat(gBeat);
    updateShowCounters(gBeat, t, seconds);

    for (int band = 0; band < bandCount; ++band) {
        const PaletteColour& colour = bandPalettes[gBeat.paletteIndex][band];
        setBandMaterial(colour.r, colour.g, colour.b);
        drawBand(0.0f, 0.0, bandOffsets[band], band);
    }

    const float spinAngle = gBeat.spinDirection * rollAngle;
    const float logoLift = currentStepDepth(gBeat) + 4.0f;
    drawLogoScene(t, sceneDelta, spinAngle, logoLift);
    drawTextCaption(t);
    drawTextWallFirst(t, sceneDelta);
    drawDotGrid(t, sceneDelta, spinAngle);
    drawGreetingsCaption(t, sceneDelta);
    drawTextWallSecond(t, sceneDelta);
    if (t >= 82000)
        drawCreditsCaption(spinAngle);
}
