#include "frame/bands.h"

#include "assets/shader_registry.h"
#include "assets/texture_registry.h"
#include "frame/band_lighting.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"

namespace {

constexpr PaletteColour rgb255(int r, int g, int b)
{
    return PaletteColour{r / 255.0, g / 255.0, b / 255.0};
}

// The band shader's specular exponent, for the fixed-function stand-in.
constexpr float fallbackShininess = 8.0f;

const ShaderProgram* bandProgram(const ShaderRegistry* shaders)
{
    // No registry published (yet or any more) counts as no program, rather than a crash.
    return shaders ? shaders->findProgram("PP") : nullptr;
}

void bindOverlay(const TextureRegistry* textures)
{
    // No registry published (yet or any more): nothing bound, as for a missing texture.
    const TextureEntry* entry = textures ? textures->find("OVERLAY") : nullptr;
    if (!entry)
        return;
    glProcs.glActiveTexture(GL_TEXTURE0);
    glEnable(entry->target);
    glBindTexture(entry->target, entry->id);
}

}  // namespace

const PaletteColour bandPalettes[paletteCount][bandCount] = {
    {rgb255(208, 217, 145), rgb255(157, 191, 142), rgb255(85, 115, 109), rgb255(54, 70, 89), rgb255(39, 45, 64)},
    {rgb255(61, 168, 164), rgb255(122, 204, 190), rgb255(255, 255, 247), rgb255(255, 153, 161),
     rgb255(255, 88, 121)},
    {rgb255(100, 146, 3), rgb255(139, 176, 41), rgb255(248, 255, 216), rgb255(224, 218, 168),
     rgb255(194, 189, 145)},
    {rgb255(0, 42, 74), rgb255(23, 96, 125), rgb255(255, 241, 206), rgb255(255, 147, 17), rgb255(214, 71, 0)},
    {rgb255(127, 191, 171), rgb255(236, 239, 167), rgb255(243, 117, 79), rgb255(140, 86, 68),
     rgb255(115, 119, 120)},
};

const double bandOffsets[bandCount] = {17.0, 9.0, 1.0, -7.0, -15.0};

void drawBand(float angle, double x, double y, int32_t band, const float* bandAngles, const float* backgroundColour,
              const TextureRegistry* textures, const ShaderRegistry* shaders)
{
    const ShaderProgram* program = bandProgram(shaders);
    if (program) {
        glProcs.glUseProgram(program->id);
    } else {
        // Without the shader the same light and material still light the
        // wall through the fixed pipeline, so it keeps its colours.
        glEnable(GL_LIGHT0);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, fallbackShininess);
    }
    setupBandLight();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glFogfv(GL_FOG_COLOR, backgroundColour);
    glPushMatrix();
    glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
    glRotatef(bandAngles[band] + angle, 0.0f, 0.0f, 1.0f);
    bindOverlay(textures);

    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-35.0f, 4.0f, -3.75f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(35.0f, 4.0f, -3.75f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(35.0f, -4.0f, -3.75f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-35.0f, -4.0f, -3.75f);
    glEnd();

    glProcs.glUseProgram(0);
    if (!program)
        glDisable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glPopMatrix();
}
