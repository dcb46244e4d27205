#include "scenes/text_walls.h"

#include <cmath>

#include "frame/beat_state.h"
#include "frame/beat_tracking.h"
#include "frame/show_resources.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"

namespace {

struct WallLayout {
    double spacing;      // between the centres of neighbouring quads of a row
    float lowerT;        // sheet line at the quad's lower edge
    float upperT;
};

const WallLayout firstLayout{8.4, 0.238f, 0.119f};
const WallLayout secondLayout{11.6, 0.119f, 0.0f};

constexpr int wallRows = 15;
constexpr int wallColumns = 30;

float scrolled(float scroll, float delta)
{
    return scroll - static_cast<float>(3.0 * delta);
}

float lowSpectrumMean(const float* spectrum)
{
    return averageFloats(spectrum, 20);
}

void drawWall(const WallLayout& layout, float scroll, float brightness, int32_t beatStep,
              const TextureRegistry* textures)
{
    glPushMatrix();  // stays in the camera's world
    glTranslatef(0.0f, -25.0f, static_cast<float>(1.2 * currentStepDepth(beatStep) - 0.05));
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glProcs.glBlendEquation(GL_FUNC_REVERSE_SUBTRACT);
    glBlendFunc(GL_ONE, GL_ONE);
    bindShowTexture(textures, "TEXT");
    glColor4f(brightness, brightness, brightness, brightness);
    for (int k = 0; k < wallRows; ++k) {
        const float lower = static_cast<float>(3.0 * k - 1.428);
        const float upper = static_cast<float>(3.0 * k + 1.428);
        for (int i = 0; i < wallColumns; ++i) {
            const double centre = (i + 0.5 * k) * layout.spacing + (k + 1) * static_cast<double>(scroll);
            const float left = static_cast<float>(centre - 12.0);
            const float right = static_cast<float>(centre + 12.0);
            glBegin(GL_QUADS);
            glTexCoord2f(0.0f, layout.lowerT);
            glVertex3f(left, lower, -0.2f);
            glTexCoord2f(1.0f, layout.lowerT);
            glVertex3f(right, lower, -0.2f);
            glTexCoord2f(1.0f, layout.upperT);
            glVertex3f(right, upper, -0.2f);
            glTexCoord2f(0.0f, layout.upperT);
            glVertex3f(left, upper, -0.2f);
            glEnd();
        }
    }
    glPopMatrix();
    glProcs.glBlendEquation(GL_FUNC_ADD);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

void advanceFirstWall(TextWallState& wall, float delta)
{
    wall.scroll = scrolled(wall.scroll, delta);
}

void advanceSecondWall(TextWallState& wall, int32_t showTimeMs, float delta)
{
    wall.scroll = scrolled(wall.scroll, delta);
    if (showTimeMs > 79000) {
        wall.level -= static_cast<float>(2.0 * delta);
        if (wall.level <= 0.0f)
            wall.level = 0.0f;
    }
}

float firstWallBrightness(float m)
{
    return static_cast<float>(0.2 * std::sin(10.0 * m) + 0.25);
}

float secondWallBrightness(float m, float level)
{
    return static_cast<float>((0.1 * std::sin(10.0 * m) + 0.15) * (0.5 * level));
}

static bool insideFirstWall(int32_t showTimeMs)
{
    return showTimeMs >= 28000 && showTimeMs <= 47000;
}

static bool insideSecondWall(int32_t showTimeMs)
{
    return showTimeMs >= 62000 && showTimeMs <= 81000;
}

void advanceTextWallFirst(TextWallState& wall, int32_t showTimeMs, float delta)
{
    if (insideFirstWall(showTimeMs))
        advanceFirstWall(wall, delta);
}

void advanceTextWallSecond(TextWallState& wall, int32_t showTimeMs, float delta)
{
    if (insideSecondWall(showTimeMs))
        advanceSecondWall(wall, showTimeMs, delta);
}

void drawTextWallFirst(int32_t showTimeMs, const float* spectrum, int32_t beatStep, const TextWallState& wall,
                       const TextureRegistry* textures)
{
    if (!insideFirstWall(showTimeMs))
        return;
    drawWall(firstLayout, wall.scroll, firstWallBrightness(lowSpectrumMean(spectrum)), beatStep, textures);
}

void drawTextWallSecond(int32_t showTimeMs, const float* spectrum, int32_t beatStep, const TextWallState& wall,
                        const TextureRegistry* textures)
{
    if (!insideSecondWall(showTimeMs))
        return;
    drawWall(secondLayout, wall.scroll, secondWallBrightness(lowSpectrumMean(spectrum), wall.level), beatStep,
             textures);
}
