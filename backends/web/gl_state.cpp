// Enables, light, material, fog and texture environment: the layer keeps
// the fixed-function state; what WebGL itself has goes on to WebGL.
#include <cmath>
#include <cstring>

#include "backends/web/fixed_gl.h"

namespace {

bool* fixedCapability(FixedGlState& state, GLenum cap)
{
    switch (cap) {
    case GL_LIGHTING: return &state.lighting;
    case GL_LIGHT0: return &state.light0;
    case GL_FOG: return &state.fog;
    case GL_TEXTURE_1D: return &state.units[state.activeUnit].enabled1D;
    case GL_TEXTURE_2D: return &state.units[state.activeUnit].enabled2D;
    default: return nullptr;
    }
}

// Light 0's position and spot direction go into eye coordinates with the
// modelview current when they are set, as GL keeps them.
void toEye(const Matrix4& mv, const float* in, float* out, bool point)
{
    const float* m = mv.m;
    const float w = point ? in[3] : 0.0f;
    for (int i = 0; i < 3; ++i)
        out[i] = m[i] * in[0] + m[4 + i] * in[1] + m[8 + i] * in[2] + m[12 + i] * w;
    if (point)
        out[3] = m[3] * in[0] + m[7] * in[1] + m[11] * in[2] + m[15] * in[3];
}

void copy4(float* to, const float* from)
{
    std::memcpy(to, from, sizeof(float) * 4);
}

// Sets field to value, drawing what is gathered first, only when it changes.
template <class T>
void change(FixedGlState& state, T& field, const T& value)
{
    if (std::memcmp(&field, &value, sizeof(T)) == 0)
        return;
    changingFixedState(state);
    std::memcpy(&field, &value, sizeof(T));
}

void enableCapability(GLenum cap, bool on)
{
    FixedGlState& state = fixedGl();
    if (bool* flag = fixedCapability(state, cap))
        change(state, *flag, on);
    else if (!webglSetCapability(state, cap, on)) {
        drawGathered(state);
        if (on)
            emscripten_glEnable(cap);
        else
            emscripten_glDisable(cap);
    }
}

void setMaterial(MaterialState& m, GLenum pname, const GLfloat* v)
{
    switch (pname) {
    case GL_AMBIENT: copy4(m.ambient, v); break;
    case GL_DIFFUSE: copy4(m.diffuse, v); break;
    case GL_SPECULAR: copy4(m.specular, v); break;
    case GL_EMISSION: copy4(m.emission, v); break;
    case GL_AMBIENT_AND_DIFFUSE:
        copy4(m.ambient, v);
        copy4(m.diffuse, v);
        break;
    case GL_SHININESS: m.shininess = v[0]; break;
    default: break;
    }
}

}  // namespace

extern "C" {

void glEnable(GLenum cap)
{
    enableCapability(cap, true);
}

void glDisable(GLenum cap)
{
    enableCapability(cap, false);
}

GLboolean glIsEnabled(GLenum cap)
{
    FixedGlState& state = fixedGl();
    if (bool* on = fixedCapability(state, cap))
        return *on ? GL_TRUE : GL_FALSE;
    return emscripten_glIsEnabled(cap);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* v)
{
    // The show lights with light 0 alone; the others have no state here.
    if (light != GL_LIGHT0)
        return;
    FixedGlState& state = fixedGl();
    LightState l = state.light0State;
    switch (pname) {
    case GL_AMBIENT: copy4(l.ambient, v); break;
    case GL_DIFFUSE: copy4(l.diffuse, v); break;
    case GL_SPECULAR: copy4(l.specular, v); break;
    case GL_POSITION: toEye(state.modelview.top(), v, l.position, true); break;
    case GL_SPOT_DIRECTION: toEye(state.modelview.top(), v, l.spotDirection, false); break;
    case GL_SPOT_EXPONENT: l.spotExponent = v[0]; break;
    case GL_SPOT_CUTOFF: l.spotCutoff = v[0]; break;
    case GL_CONSTANT_ATTENUATION: l.constantAttenuation = v[0]; break;
    case GL_LINEAR_ATTENUATION: l.linearAttenuation = v[0]; break;
    case GL_QUADRATIC_ATTENUATION: l.quadraticAttenuation = v[0]; break;
    default: return;
    }
    change(state, state.light0State, l);
}

void glLightf(GLenum light, GLenum pname, GLfloat value)
{
    glLightfv(light, pname, &value);
}

void glLightModelfv(GLenum pname, const GLfloat* v)
{
    FixedGlState& state = fixedGl();
    if (pname == GL_LIGHT_MODEL_AMBIENT) {
        float ambient[4];
        copy4(ambient, v);
        change(state, state.lightModelAmbient, ambient);
    }
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* v)
{
    // Only the front is drawn lit: the band shader reads gl_FrontMaterial.
    if (face != GL_FRONT && face != GL_FRONT_AND_BACK)
        return;
    FixedGlState& state = fixedGl();
    MaterialState m = state.material;
    setMaterial(m, pname, v);
    change(state, state.material, m);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat value)
{
    glMaterialfv(face, pname, &value);
}

void glFogfv(GLenum pname, const GLfloat* v)
{
    FixedGlState& state = fixedGl();
    FogState f = state.fogState;
    switch (pname) {
    case GL_FOG_COLOR: copy4(f.colour, v); break;
    case GL_FOG_DENSITY: f.density = v[0]; break;
    case GL_FOG_START: f.start = v[0]; break;
    case GL_FOG_END: f.end = v[0]; break;
    case GL_FOG_MODE: f.mode = static_cast<GLenum>(v[0]); break;
    default: return;
    }
    change(state, state.fogState, f);
}

void glFogf(GLenum pname, GLfloat value)
{
    glFogfv(pname, &value);
}

void glFogi(GLenum pname, GLint value)
{
    const GLfloat f = static_cast<GLfloat>(value);
    glFogfv(pname, &f);
}

void glTexEnvfv(GLenum target, GLenum pname, const GLfloat* v)
{
    if (target != GL_TEXTURE_ENV)
        return;
    FixedGlState& state = fixedGl();
    TextureUnitState& unit = state.units[state.activeUnit];
    if (pname == GL_TEXTURE_ENV_MODE) {
        change(state, unit.envMode, static_cast<GLenum>(v[0]));
    } else if (pname == GL_TEXTURE_ENV_COLOR) {
        float colour[4];
        copy4(colour, v);
        change(state, unit.envColour, colour);
    }
}

void glTexEnvf(GLenum target, GLenum pname, GLfloat value)
{
    glTexEnvfv(target, pname, &value);
}

void glTexEnvi(GLenum target, GLenum pname, GLint value)
{
    const GLfloat f = static_cast<GLfloat>(value);
    glTexEnvfv(target, pname, &f);
}

// Every shade is smooth in the layer's program, GL's default.
void glShadeModel(GLenum) {}

void glGetIntegerv(GLenum pname, GLint* data)
{
    FixedGlState& state = fixedGl();
    switch (pname) {
    case GL_MATRIX_MODE: *data = static_cast<GLint>(state.matrixMode); return;
    case GL_CLIENT_ACTIVE_TEXTURE: *data = GL_TEXTURE0 + state.clientActiveUnit; return;
    case GL_MAX_TEXTURE_UNITS: *data = fixedTextureUnits; return;
    case GL_MODELVIEW_STACK_DEPTH: *data = state.modelview.depth + 1; return;
    case GL_PROJECTION_STACK_DEPTH: *data = state.projection.depth + 1; return;
    case GL_TEXTURE_ENV_MODE: *data = static_cast<GLint>(state.units[state.activeUnit].envMode); return;
    default: emscripten_glGetIntegerv(pname, data);
    }
}

void glGetFloatv(GLenum pname, GLfloat* data)
{
    FixedGlState& state = fixedGl();
    switch (pname) {
    case GL_MODELVIEW_MATRIX: std::memcpy(data, state.modelview.top().m, sizeof(float) * 16); return;
    case GL_PROJECTION_MATRIX: std::memcpy(data, state.projection.top().m, sizeof(float) * 16); return;
    case GL_CURRENT_COLOR: copy4(data, state.colour); return;
    case GL_CURRENT_NORMAL: std::memcpy(data, state.normal, sizeof(float) * 3); return;
    case GL_CURRENT_TEXTURE_COORDS: copy4(data, state.units[state.activeUnit].texCoord); return;
    case GL_FOG_COLOR: copy4(data, state.fogState.colour); return;
    default: emscripten_glGetFloatv(pname, data);
    }
}

}  // extern "C"
