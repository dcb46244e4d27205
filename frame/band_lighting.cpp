#include "frame/band_lighting.h"

#include "gl/gl.h"

namespace {

const float lightAmbient[4] = {0.4f, 0.4f, 0.4f, 1.0f};
const float lightDiffuse[4] = {0.75f, 0.75f, 0.75f, 1.0f};
const float lightSpecular[4] = {0.9f, 0.9f, 0.9f, 1.0f};
const float lightPosition[4] = {0.0f, 0.0f, 15.0f, 1.0f};  // positional, in front of the wall

// Nothing reads the frame's alpha after the bands, which are drawn unblended.
constexpr float materialAlpha = 1.0f;

}  // namespace

BandMaterial bandMaterialFor(double r, double g, double b)
{
    BandMaterial m;
    m.diffuse[0] = static_cast<float>(1.2 * r);
    m.diffuse[1] = static_cast<float>(1.2 * g);
    m.diffuse[2] = static_cast<float>(1.21 * b);
    for (int c = 0; c < 3; ++c)
        m.ambient[c] = static_cast<float>(0.75 * m.diffuse[c]);
    m.specular[0] = static_cast<float>(1.1 * m.diffuse[0]);
    m.specular[1] = static_cast<float>(1.1 * m.diffuse[1]);
    m.specular[2] = 1.0f;
    m.ambient[3] = m.diffuse[3] = m.specular[3] = materialAlpha;
    return m;
}

void setupBandLight()
{
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.0f);
    glLightf(GL_LIGHT0, GL_QUADRATIC_ATTENUATION, 0.15f);
}

void setBandMaterial(double r, double g, double b)
{
    const BandMaterial m = bandMaterialFor(r, g, b);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.specular);
}
