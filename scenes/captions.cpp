#include "scenes/captions.h"

#include <cmath>

#include "frame/beat_state.h"
#include "frame/show_resources.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"

namespace {

// Frame minus card, so bright lettering darkens the picture.
void beginSubtractiveBlend()
{
    glEnable(GL_BLEND);
    glProcs.glBlendEquation(GL_FUNC_REVERSE_SUBTRACT);
    glBlendFunc(GL_ONE, GL_ONE);
}

void endSubtractiveBlend()
{
    glProcs.glBlendEquation(GL_FUNC_ADD);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// One sheet line on an 8 x 0.952 card, the proportions of a line of a
// 1024-texel-wide sheet; counter-clockwise, so culling keeps it.
void drawCard(const SheetRow& row)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, row.bottom);
    glVertex3f(-4.0f, -0.476f, -0.2f);
    glTexCoord2f(1.0f, row.bottom);
    glVertex3f(4.0f, -0.476f, -0.2f);
    glTexCoord2f(1.0f, row.top);
    glVertex3f(4.0f, 0.476f, -0.2f);
    glTexCoord2f(0.0f, row.top);
    glVertex3f(-4.0f, 0.476f, -0.2f);
    glEnd();
}

}  // namespace

float greetsLevelAfter(float level, int32_t showTimeMs, float delta)
{
    if (showTimeMs >= 78001 && showTimeMs <= 80999) {
        level -= static_cast<float>(0.75 * delta);
        if (level <= 0.0f)
            level = 0.0f;
    }
    return level;
}

void drawTextCaption(int32_t showTimeMs, int32_t bounceCounter, int32_t beatStep, const TextureRegistry* textures)
{
    if (showTimeMs < 20000 || showTimeMs > 32000)
        return;
    if (bounceCounter < 0)
        return;
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, 0.75f * currentStepDepth(beatStep));
    beginSubtractiveBlend();
    bindShowTexture(textures, "TEXT");
    glColor4f(0.75f, 0.75f, 0.75f, 0.75f);
    drawCard(textRowTable[bounceCounter]);
    glPopMatrix();
    endSubtractiveBlend();
}

static bool greetingsShow(int32_t showTimeMs, int32_t greetsStep)
{
    return showTimeMs >= 62000 && showTimeMs <= 81000 && greetsStep >= 0;
}

void advanceGreetingsCaption(CaptionState& captions, int32_t showTimeMs, float delta, int32_t greetsStep)
{
    if (greetingsShow(showTimeMs, greetsStep))
        captions.greetsLevel = greetsLevelAfter(captions.greetsLevel, showTimeMs, delta);
}

void drawGreetingsCaption(int32_t showTimeMs, int32_t greetsStep, int32_t beatStep, const CaptionState& captions,
                          const TextureRegistry* textures)
{
    if (!greetingsShow(showTimeMs, greetsStep))
        return;
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, 0.75f * currentStepDepth(beatStep));
    glDisable(GL_DEPTH_TEST);
    beginSubtractiveBlend();
    bindShowTexture(textures, greetsStep < 8 ? "GREETS1" : "GREETS2");
    const float brightness = static_cast<float>(0.75 * captions.greetsLevel);
    glColor4f(brightness, brightness, brightness, brightness);
    drawCard(greetRowTable[greetsStep]);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    endSubtractiveBlend();
}

void drawCreditsCaption(float spinAngle, int32_t creditsStep, int32_t beatStep, const TextureRegistry* textures)
{
    if (creditsStep > 3)
        return;
    const double depth = currentStepDepth(beatStep);
    glPushMatrix();
    glLoadIdentity();
    // A beat moves the card to one of five places below the centre line.
    glTranslatef(static_cast<float>(std::sin(depth)), static_cast<float>(std::cos(depth)),
                 static_cast<float>(0.75 * depth));
    glRotatef(spinAngle, 0.0f, 0.0f, -1.0f);
    glDisable(GL_DEPTH_TEST);
    beginSubtractiveBlend();
    bindShowTexture(textures, "CREDITS");
    glColor4f(0.75f, 0.75f, 0.75f, 0.75f);
    drawCard(creditRowTable[creditsStep]);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    endSubtractiveBlend();
}
