#include "frame/screen_quads.h"

#include "gl/gl.h"

namespace {

void drawFullScreenQuad()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // Without depth the background leaves the cleared depth buffer untouched.
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_QUADS);
    glVertex3f(-1.0f, 1.0f, -1.0f);
    glVertex3f(1.0f, 1.0f, -1.0f);
    glVertex3f(1.0f, -1.0f, -1.0f);
    glVertex3f(-1.0f, -1.0f, -1.0f);
    glEnd();
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

}  // namespace

void drawFadeQuad(float fromRed, float fromGreen, float fromBlue, float toRed, float toGreen, float toBlue,
                  float fromAlpha, float toAlpha, float t)
{
    const float keep = 1.0f - t;
    glColor4f(keep * fromRed + t * toRed, keep * fromGreen + t * toGreen, keep * fromBlue + t * toBlue,
              keep * fromAlpha + t * toAlpha);
    drawFullScreenQuad();
}

void drawBackgroundQuad(const float* backgroundColour)
{
    glColor4fv(backgroundColour);
    drawFullScreenQuad();
}
