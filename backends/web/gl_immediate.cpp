// Immediate mode: glBegin .. glEnd gathers the vertices with the current
// colour, normal and texture coordinates, and glEnd draws them as triangles
// through the current program, or the layer's own when there is none.
#include <cstring>

#include "backends/web/fixed_gl.h"

namespace {

void setTexCoord(int unit, float s, float t, float r, float q)
{
    if (unit < 0 || unit >= fixedTextureUnits)
        return;  // GL_INVALID_ENUM
    float* c = fixedGl().units[unit].texCoord;
    c[0] = s;
    c[1] = t;
    c[2] = r;
    c[3] = q;
}

void emitVertex(float x, float y, float z, float w)
{
    FixedGlState& state = fixedGl();
    if (!state.inPrimitive)
        return;
    FixedVertex v;
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    v.position[3] = w;
    std::memcpy(v.normal, state.normal, sizeof v.normal);
    std::memcpy(v.colour, state.colour, sizeof v.colour);
    for (int u = 0; u < fixedTextureUnits; ++u)
        std::memcpy(v.texCoord[u], state.units[u].texCoord, sizeof v.texCoord[u]);
    state.batch.push_back(v);
}

// Quads become two triangles each (0 1 2, 0 2 3), polygons a fan: WebGL
// draws neither.
GLenum webglMode(GLenum mode, std::vector<FixedVertex>& vertices)
{
    switch (mode) {
    case GL_QUADS: {
        std::vector<FixedVertex> triangles;
        triangles.reserve(vertices.size() / 4 * 6);
        for (size_t q = 0; q + 3 < vertices.size(); q += 4) {
            const size_t order[6] = {0, 1, 2, 0, 2, 3};
            for (size_t k : order)
                triangles.push_back(vertices[q + k]);
        }
        vertices.swap(triangles);
        return GL_TRIANGLES;
    }
    case GL_QUAD_STRIP: return GL_TRIANGLE_STRIP;
    case GL_POLYGON: return GL_TRIANGLE_FAN;
    default: return mode;
    }
}

int unitOf(GLenum texture)
{
    return static_cast<int>(texture) - GL_TEXTURE0;
}

}  // namespace

extern "C" {

void glBegin(GLenum mode)
{
    FixedGlState& state = fixedGl();
    if (state.inPrimitive)
        return;  // GL_INVALID_OPERATION
    state.inPrimitive = true;
    state.primitive = mode;
    state.batch.clear();
}

void glEnd()
{
    FixedGlState& state = fixedGl();
    if (!state.inPrimitive)
        return;
    state.inPrimitive = false;
    const GLenum mode = webglMode(state.primitive, state.batch);
    if (state.batch.empty() || state.fixedProgram == 0)
        return;
    const GLuint program = state.program ? state.program : state.fixedProgram;
    emscripten_glUseProgram(program);
    feedProgramUniforms(state, program);
    emscripten_glBindVertexArray(state.vertexArray);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, state.vertexBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(state.batch.size() * sizeof(FixedVertex)),
                            state.batch.data(), GL_STREAM_DRAW);
    emscripten_glDrawArrays(mode, 0, static_cast<GLsizei>(state.batch.size()));
}

void glVertex2f(GLfloat x, GLfloat y) { emitVertex(x, y, 0.0f, 1.0f); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { emitVertex(x, y, z, 1.0f); }
void glVertex3fv(const GLfloat* v) { emitVertex(v[0], v[1], v[2], 1.0f); }
void glVertex4f(GLfloat x, GLfloat y, GLfloat z, GLfloat w) { emitVertex(x, y, z, w); }

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    float* c = fixedGl().colour;
    c[0] = r;
    c[1] = g;
    c[2] = b;
    c[3] = a;
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { glColor4f(r, g, b, 1.0f); }
void glColor4fv(const GLfloat* v) { glColor4f(v[0], v[1], v[2], v[3]); }
void glColor3fv(const GLfloat* v) { glColor4f(v[0], v[1], v[2], 1.0f); }
void glColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a)
{
    glColor4f(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    float* n = fixedGl().normal;
    n[0] = x;
    n[1] = y;
    n[2] = z;
}
void glNormal3fv(const GLfloat* v) { glNormal3f(v[0], v[1], v[2]); }

// glTexCoord sets texture unit 0's coordinates, as glMultiTexCoord(GL_TEXTURE0) does.
void glTexCoord1f(GLfloat s) { setTexCoord(0, s, 0.0f, 0.0f, 1.0f); }
void glTexCoord2f(GLfloat s, GLfloat t) { setTexCoord(0, s, t, 0.0f, 1.0f); }
void glTexCoord2fv(const GLfloat* v) { setTexCoord(0, v[0], v[1], 0.0f, 1.0f); }
void glTexCoord3f(GLfloat s, GLfloat t, GLfloat r) { setTexCoord(0, s, t, r, 1.0f); }
void glTexCoord4f(GLfloat s, GLfloat t, GLfloat r, GLfloat q) { setTexCoord(0, s, t, r, q); }

void glMultiTexCoord1f(GLenum unit, GLfloat s) { setTexCoord(unitOf(unit), s, 0.0f, 0.0f, 1.0f); }
void glMultiTexCoord2f(GLenum unit, GLfloat s, GLfloat t) { setTexCoord(unitOf(unit), s, t, 0.0f, 1.0f); }
void glMultiTexCoord3f(GLenum unit, GLfloat s, GLfloat t, GLfloat r) { setTexCoord(unitOf(unit), s, t, r, 1.0f); }
void glMultiTexCoord4f(GLenum unit, GLfloat s, GLfloat t, GLfloat r, GLfloat q)
{
    setTexCoord(unitOf(unit), s, t, r, q);
}
void glMultiTexCoord1fv(GLenum unit, const GLfloat* v) { setTexCoord(unitOf(unit), v[0], 0.0f, 0.0f, 1.0f); }
void glMultiTexCoord2fv(GLenum unit, const GLfloat* v) { setTexCoord(unitOf(unit), v[0], v[1], 0.0f, 1.0f); }
void glMultiTexCoord3fv(GLenum unit, const GLfloat* v) { setTexCoord(unitOf(unit), v[0], v[1], v[2], 1.0f); }
void glMultiTexCoord4fv(GLenum unit, const GLfloat* v) { setTexCoord(unitOf(unit), v[0], v[1], v[2], v[3]); }

// Selects the unit whose client-side arrays later calls name; the layer's
// vertices carry every unit's current coordinates whichever is selected.
void glClientActiveTexture(GLenum texture)
{
    const int unit = unitOf(texture);
    if (unit >= 0 && unit < fixedTextureUnits)
        fixedGl().clientActiveUnit = unit;
}

// The server-side unit: WebGL's, and the layer's enables, environment and
// texture matrix.
void glActiveTexture(GLenum texture)
{
    const int unit = unitOf(texture);
    if (unit < 0 || unit >= fixedTextureUnits)
        return;
    fixedGl().activeUnit = unit;
    emscripten_glActiveTexture(texture);
}

}  // extern "C"
