// The matrix stacks and transforms, and GLU's projections, computed in
// float with the desktop pipeline's formulas so that the picture lands on
// the same pixels.
#include <cmath>
#include <cstring>

#include "backends/web/fixed_gl.h"

namespace {

// The current stack's top becomes m; what is gathered is drawn first when
// that changes it.
void setTop(FixedGlState& state, const Matrix4& m)
{
    Matrix4& top = currentStack(state).top();
    if (std::memcmp(top.m, m.m, sizeof m.m) == 0)
        return;
    changingFixedState(state);
    top = m;
}

void multiplyCurrent(const float m[16])
{
    FixedGlState& state = fixedGl();
    Matrix4 top = currentStack(state).top();
    multiplyMatrix(top, m);
    setTop(state, top);
}

void normalise(float v[3])
{
    const float r = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (r == 0.0f)
        return;
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void cross(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

Matrix4 product(const Matrix4& a, const Matrix4& b)
{
    Matrix4 p;
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a.m[i], ai1 = a.m[4 + i], ai2 = a.m[8 + i], ai3 = a.m[12 + i];
        for (int j = 0; j < 4; ++j)
            p.m[4 * j + i] = ai0 * b.m[4 * j] + ai1 * b.m[4 * j + 1] + ai2 * b.m[4 * j + 2] + ai3 * b.m[4 * j + 3];
    }
    return p;
}

void multiplyMatrix(Matrix4& into, const float by[16])
{
    Matrix4 right;
    std::memcpy(right.m, by, sizeof right.m);
    into = product(into, right);
}

MatrixStack& currentStack(FixedGlState& state)
{
    if (state.matrixMode == GL_PROJECTION)
        return state.projection;
    if (state.matrixMode == GL_TEXTURE)
        return state.units[state.activeUnit].matrices;
    return state.modelview;
}

extern "C" {

void glMatrixMode(GLenum mode)
{
    if (mode == GL_MODELVIEW || mode == GL_PROJECTION || mode == GL_TEXTURE)
        fixedGl().matrixMode = mode;
}

void glLoadIdentity()
{
    FixedGlState& state = fixedGl();
    setTop(state, Matrix4{});
}

void glLoadMatrixf(const GLfloat* m)
{
    FixedGlState& state = fixedGl();
    Matrix4 loaded;
    std::memcpy(loaded.m, m, sizeof loaded.m);
    setTop(state, loaded);
}

void glMultMatrixf(const GLfloat* m)
{
    multiplyCurrent(m);
}

void glMultMatrixd(const GLdouble* m)
{
    float f[16];
    for (int i = 0; i < 16; ++i)
        f[i] = static_cast<float>(m[i]);
    multiplyCurrent(f);
}

void glPushMatrix()
{
    MatrixStack& stack = currentStack(fixedGl());
    if (stack.depth + 1 >= fixedStackDepth)
        return;  // GL_STACK_OVERFLOW: the stack is left as it is
    stack.levels[stack.depth + 1] = stack.levels[stack.depth];
    ++stack.depth;
}

void glPopMatrix()
{
    FixedGlState& state = fixedGl();
    MatrixStack& stack = currentStack(state);
    if (stack.depth == 0)
        return;  // GL_STACK_UNDERFLOW
    setTop(state, stack.levels[stack.depth - 1]);
    --stack.depth;
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    FixedGlState& state = fixedGl();
    Matrix4 top = currentStack(state).top();
    float* m = top.m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
    setTop(state, top);
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z)
{
    glTranslatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    FixedGlState& state = fixedGl();
    Matrix4 top = currentStack(state).top();
    float* m = top.m;
    for (int i = 0; i < 4; ++i) {
        m[i] *= x;
        m[4 + i] *= y;
        m[8 + i] *= z;
    }
    setTop(state, top);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    // Sine and cosine in double, then float, as the desktop pipeline takes them.
    const float s = static_cast<float>(std::sin(angle * M_PI / 180.0));
    const float c = static_cast<float>(std::cos(angle * M_PI / 180.0));
    Matrix4 r;
    float* m = r.m;
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        // About z alone: no normalising, so the quarter turns stay exact.
        m[0] = c;
        m[5] = c;
        m[4] = z < 0.0f ? s : -s;
        m[1] = z < 0.0f ? -s : s;
    } else {
        const float mag = std::sqrt(x * x + y * y + z * z);
        if (mag <= 1.0e-4f)
            return;
        x /= mag;
        y /= mag;
        z /= mag;
        const float xx = x * x, yy = y * y, zz = z * z, xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s, one = 1.0f - c;
        m[0] = one * xx + c;
        m[4] = one * xy - zs;
        m[8] = one * zx + ys;
        m[1] = one * xy + zs;
        m[5] = one * yy + c;
        m[9] = one * yz - xs;
        m[2] = one * zx - ys;
        m[6] = one * yz + xs;
        m[10] = one * zz + c;
    }
    multiplyCurrent(m);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal, GLdouble farVal)
{
    const float l = static_cast<float>(left), r = static_cast<float>(right);
    const float b = static_cast<float>(bottom), t = static_cast<float>(top);
    const float n = static_cast<float>(nearVal), f = static_cast<float>(farVal);
    if (l == r || b == t || n == f)
        return;  // GL_INVALID_VALUE
    Matrix4 o;
    o.m[0] = 2.0f / (r - l);
    o.m[12] = -(r + l) / (r - l);
    o.m[5] = 2.0f / (t - b);
    o.m[13] = -(t + b) / (t - b);
    o.m[10] = -2.0f / (f - n);
    o.m[14] = -(f + n) / (f - n);
    multiplyCurrent(o.m);
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble nearVal, GLdouble farVal)
{
    const float l = static_cast<float>(left), r = static_cast<float>(right);
    const float b = static_cast<float>(bottom), t = static_cast<float>(top);
    const float n = static_cast<float>(nearVal), f = static_cast<float>(farVal);
    if (n <= 0.0f || f <= 0.0f || l == r || b == t || n == f)
        return;
    Matrix4 p;
    p.m[0] = 2.0f * n / (r - l);
    p.m[8] = (r + l) / (r - l);
    p.m[5] = 2.0f * n / (t - b);
    p.m[9] = (t + b) / (t - b);
    p.m[10] = -(f + n) / (f - n);
    p.m[14] = -(2.0f * f * n) / (f - n);
    p.m[11] = -1.0f;
    p.m[15] = 0.0f;
    multiplyCurrent(p.m);
}

// GLU's perspective: built in double, handed over as a double matrix.
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    const double radians = fovy / 2 * M_PI / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0)
        return;
    const double cotangent = std::cos(radians) / sine;
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    m[15] = 0;
    glMultMatrixd(m);
}

// GLU's look-at: its vectors in float, the eye's translation after.
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY, GLdouble centreZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    float forward[3] = {static_cast<float>(centreX - eyeX), static_cast<float>(centreY - eyeY),
                        static_cast<float>(centreZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    float side[3];
    normalise(forward);
    cross(forward, up, side);
    normalise(side);
    cross(side, forward, up);
    Matrix4 m;
    m.m[0] = side[0];
    m.m[4] = side[1];
    m.m[8] = side[2];
    m.m[1] = up[0];
    m.m[5] = up[1];
    m.m[9] = up[2];
    m.m[2] = -forward[0];
    m.m[6] = -forward[1];
    m.m[10] = -forward[2];
    multiplyCurrent(m.m);
    glTranslated(-eyeX, -eyeY, -eyeZ);
}

}  // extern "C"
