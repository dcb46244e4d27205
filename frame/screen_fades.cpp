#include "frame/screen_fades.h"

#include <cmath>

#include "frame/screen_quads.h"
#include "gl/gl.h"

const FadeEntry fadeTable[fadeCount] = {
    {0.0f, 2000.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f},
    {90000.0f, 92000.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f},
};

void planScreenFades(uint32_t showTime, int32_t done[fadeCount], FadeStep steps[fadeCount])
{
    for (int i = 0; i < fadeCount; ++i) {
        const FadeEntry& fade = fadeTable[i];
        steps[i] = FadeStep{};
        if (done[i] == 1)
            continue;
        const uint32_t start = static_cast<uint32_t>(static_cast<int32_t>(fade.start));
        const uint32_t end = static_cast<uint32_t>(static_cast<int32_t>(fade.end));
        if (start <= showTime && showTime <= end) {
            const double rate = std::fabs(static_cast<double>(fade.toAlpha - fade.fromAlpha) /
                                          static_cast<double>(static_cast<int32_t>(end - start)));
            steps[i].draws = true;
            steps[i].t = static_cast<float>(rate * static_cast<double>(showTime - start));
        } else if (showTime > end) {
            // One last quad at the end value also closes a fade whose window
            // fell between two frames.
            steps[i].draws = true;
            steps[i].t = 1.0f;
            done[i] = 1;
        }
    }
}

void drawPlannedFades(const FadeStep steps[fadeCount])
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);

    for (int i = 0; i < fadeCount; ++i) {
        if (!steps[i].draws)
            continue;
        const FadeEntry& f = fadeTable[i];
        drawFadeQuad(f.fromRed, f.fromGreen, f.fromBlue, f.toRed, f.toGreen, f.toBlue, f.fromAlpha, f.toAlpha,
                     steps[i].t);
    }

    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void resetScreenFades(int32_t done[fadeCount])
{
    for (int i = 0; i < fadeCount; ++i)
        done[i] = 0;
}
