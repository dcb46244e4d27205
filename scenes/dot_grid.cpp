#include "scenes/dot_grid.h"

#include <cmath>

#include "frame/bands.h"
#include "frame/beat_state.h"
#include "frame/beat_tracking.h"
#include "frame/show_resources.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"

float dotGridAlpha(float m)
{
    return static_cast<float>(0.25 * std::sin(10.0 * m) + 0.1);
}

float shrunkStepScale(float stepScale, float delta)
{
    return stepScale - static_cast<float>(0.2 * delta);
}

static bool insideDotGrid(int32_t showTimeMs)
{
    return showTimeMs >= 48000 && showTimeMs <= 62000;
}

void advanceDotGrid(float& stepScale, int32_t showTimeMs, float delta)
{
    if (insideDotGrid(showTimeMs))
        stepScale = shrunkStepScale(stepScale, delta);
}

void drawDotGrid(int32_t showTimeMs, float spinAngle, const float* spectrum, int32_t beatStep, int32_t paletteIndex,
                 float stepScale, const TextureRegistry* textures)
{
    if (!insideDotGrid(showTimeMs))
        return;
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, 0.75f * currentStepDepth(beatStep));
    glRotatef(spinAngle, 0.0f, 0.0f, -1.0f);
    glEnable(GL_BLEND);
    // The last four beat steps cut the sprites out of the picture instead.
    glProcs.glBlendEquation(beatStep > 4 ? GL_FUNC_REVERSE_SUBTRACT : GL_FUNC_ADD);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    bindShowTexture(textures, "DOT");

    const float half = 2.0f * stepScale;
    const PaletteColour* palette = bandPalettes[(paletteIndex + 2) % paletteCount];
    const float alpha = dotGridAlpha(averageFloats(spectrum, 20));
    for (int j = 0; j < 10; ++j) {
        for (int i = 0; i < 10; ++i) {
            const int n = 10 * j + i;
            const PaletteColour& c = palette[n % bandCount];
            glColor4f(static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b), alpha);
            const float x = static_cast<float>(2 * i - 10);
            const float y = static_cast<float>(2 * j - 10);
            glBegin(GL_QUADS);
            glTexCoord2f(0.0f, 1.0f);
            glVertex3f(x - half, y - half, -2.2f);
            glTexCoord2f(1.0f, 1.0f);
            glVertex3f(x + half, y - half, -2.2f);
            glTexCoord2f(1.0f, 0.0f);
            glVertex3f(x + half, y + half, -2.2f);
            glTexCoord2f(0.0f, 0.0f);
            glVertex3f(x - half, y + half, -2.2f);
            glEnd();
        }
    }
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
