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

// The mode a primitive is gathered under: every kind of triangle as
// separate triangles, every kind of line as separate lines, so that
// consecutive primitives of one kind join into one draw.
GLenum listMode(GLenum mode)
{
    switch (mode) {
    case GL_POINTS: return GL_POINTS;
    case GL_LINES:
    case GL_LINE_STRIP:
    case GL_LINE_LOOP: return GL_LINES;
    default: return GL_TRIANGLES;
    }
}

// Appends the primitive's vertices to out in its list mode: quads as two
// triangles each (0 1 2, 0 2 3), strips with every other triangle turned
// back to keep the winding, fans and polygons around their first vertex.
void appendAsList(GLenum mode, const std::vector<FixedVertex>& v, std::vector<FixedVertex>& out)
{
    const size_t n = v.size();
    auto add = [&](size_t a, size_t b, size_t c) {
        out.push_back(v[a]);
        out.push_back(v[b]);
        out.push_back(v[c]);
    };
    switch (mode) {
    case GL_POINTS: out.insert(out.end(), v.begin(), v.end()); break;
    case GL_LINES: out.insert(out.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n & ~size_t{1})); break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        for (size_t i = 0; i + 1 < n; ++i) {
            out.push_back(v[i]);
            out.push_back(v[i + 1]);
        }
        if (mode == GL_LINE_LOOP && n > 2) {
            out.push_back(v[n - 1]);
            out.push_back(v[0]);
        }
        break;
    case GL_TRIANGLES:
        out.insert(out.end(), v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n / 3 * 3));
        break;
    case GL_QUADS:
        for (size_t q = 0; q + 3 < n; q += 4) {
            add(q, q + 1, q + 2);
            add(q, q + 2, q + 3);
        }
        break;
    case GL_TRIANGLE_STRIP:
    case GL_QUAD_STRIP:
        for (size_t i = 0; i + 2 < n; ++i) {
            if (i % 2 == 0)
                add(i, i + 1, i + 2);
            else
                add(i + 1, i, i + 2);
        }
        break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
        for (size_t i = 1; i + 1 < n; ++i)
            add(0, i, i + 1);
        break;
    default: break;  // GL_INVALID_ENUM: nothing is drawn
    }
}

int unitOf(GLenum texture)
{
    return static_cast<int>(texture) - GL_TEXTURE0;
}

}  // namespace

void drawGathered(FixedGlState& state)
{
    GatheredDraw& gathered = state.gathered;
    if (gathered.vertices.empty())
        return;
    webglUseProgram(state, gathered.program);
    feedProgramUniforms(state, gathered.program);
    // The layer's vertex array and buffer stay bound from the start: nothing
    // else binds any.
    emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(gathered.vertices.size() * sizeof(FixedVertex)),
                            gathered.vertices.data(), GL_STREAM_DRAW);
    emscripten_glDrawArrays(gathered.mode, 0, static_cast<GLsizei>(gathered.vertices.size()));
    gathered.vertices.clear();
}

void changingFixedState(FixedGlState& state)
{
    drawGathered(state);
    ++state.serial;
}

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

// The primitive joins what is gathered when it is drawn the same way; the
// state it is drawn with is the same, as every change draws what is
// gathered first.
void glEnd()
{
    FixedGlState& state = fixedGl();
    if (!state.inPrimitive)
        return;
    state.inPrimitive = false;
    if (state.fixedProgram == 0)
        return;
    const GLenum mode = listMode(state.primitive);
    const GLuint program = state.program ? state.program : state.fixedProgram;
    GatheredDraw& gathered = state.gathered;
    if (!gathered.vertices.empty() && (gathered.mode != mode || gathered.program != program))
        drawGathered(state);
    gathered.mode = mode;
    gathered.program = program;
    appendAsList(state.primitive, state.batch, gathered.vertices);
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
    FixedGlState& state = fixedGl();
    state.activeUnit = unit;
    webglActiveUnit(state, unit);
}

}  // extern "C"
