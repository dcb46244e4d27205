#include "scenes/logo.h"

#include "frame/beat_state.h"
#include "frame/show_resources.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"

namespace {
constexpr float logoTop = 0.7f;
}  // namespace

float logoLevelAfter(float level, int32_t showTimeMs, float delta)
{
    if (showTimeMs >= 4001 && showTimeMs <= 7999) {
        level += delta;
        if (level >= logoTop)
            level = logoTop;
    }
    if (showTimeMs >= 15001 && showTimeMs <= 17999) {
        level -= delta;
        if (level <= 0.0f)
            level = 0.0f;
    }
    return level;
}

static bool insideLogoWindow(int32_t showTimeMs)
{
    return showTimeMs >= 4000 && showTimeMs <= 18000;
}

void advanceLogoScene(LogoState& logo, int32_t showTimeMs, float delta)
{
    if (insideLogoWindow(showTimeMs))
        logo.level = logoLevelAfter(logo.level, showTimeMs, delta);
}

void drawLogoScene(int32_t showTimeMs, float spinAngle, float lift, float spinDirection, int32_t beatStep,
                   const LogoState& logo, const TextureRegistry* textures)
{
    if (!insideLogoWindow(showTimeMs))
        return;

    glPushMatrix();
    glLoadIdentity();  // fixed to the screen, not to the camera
    glTranslatef(0.0f, spinDirection * lift, 0.75f * currentStepDepth(beatStep));
    glRotatef(spinAngle, 0.0f, 0.0f, -1.0f);
    glEnable(GL_BLEND);
    glProcs.glBlendEquation(GL_FUNC_REVERSE_SUBTRACT);
    glBlendFunc(GL_ONE, GL_ONE);
    bindShowTexture(textures, "DUSKWHEEL");
    const float level = logo.level;
    glColor4f(level, level, level, level);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-4.0f, -0.5f, -0.2f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(4.0f, -0.5f, -0.2f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(4.0f, 0.5f, -0.2f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-4.0f, 0.5f, -0.2f);
    glEnd();
    glPopMatrix();
    glProcs.glBlendEquation(GL_FUNC_ADD);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
