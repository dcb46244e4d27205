#pragma once
// The fixed-function state that the show's GL calls set, kept by the web
// backend's own small GL layer and drawn through WebGL 2, the way a desktop
// driver keeps it for its fixed pipeline. One record per process, as the
// one WebGL context is.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstdint>
#include <vector>

constexpr int fixedTextureUnits = 2;
constexpr int fixedStackDepth = 32;

// Column-major, as GL stores its matrices.
struct Matrix4 {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

struct MatrixStack {
    Matrix4 levels[fixedStackDepth];
    int depth = 0;
    Matrix4& top() { return levels[depth]; }
    const Matrix4& top() const { return levels[depth]; }
};

struct FixedVertex {
    float position[4];
    float normal[3];
    float colour[4];
    float texCoord[fixedTextureUnits][4];
};

// GL's initial values throughout.
struct LightState {
    float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};  // light 0's; the others start black
    float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};  // in eye coordinates, as GL keeps it
    float spotDirection[3] = {0.0f, 0.0f, -1.0f};
    float spotExponent = 0.0f;
    float spotCutoff = 180.0f;
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
};

struct MaterialState {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
};

struct FogState {
    float colour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    GLenum mode = GL_EXP;
    float density = 1.0f;
    float start = 0.0f;
    float end = 1.0f;
};

struct TextureUnitState {
    bool enabled1D = false;
    bool enabled2D = false;
    GLenum envMode = GL_MODULATE;
    float envColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float texCoord[4] = {0.0f, 0.0f, 0.0f, 1.0f};  // the current coordinates
    MatrixStack matrices;
};

// Primitives gathered for one draw: each glEnd adds its vertices as
// separate triangles (or lines, or points), so that consecutive primitives
// drawn with the same state go to WebGL as one upload and one draw.
struct GatheredDraw {
    GLenum mode = 0;  // GL_TRIANGLES, GL_LINES or GL_POINTS
    GLuint program = 0;
    std::vector<FixedVertex> vertices;
};

// What the WebGL context has now, as the layer last set it, so that a call
// setting what it already has is left out. -1 (or ~0u) is not yet known.
struct WebGlMirror {
    GLuint program = ~0u;
    int activeUnit = -1;
    GLuint textures[fixedTextureUnits] = {~0u, ~0u};
    signed char blend = -1, depthTest = -1, cullFace = -1, scissorTest = -1;
    GLenum blendSource = 0, blendDestination = 0;
    GLenum blendEquation = 0;
    signed char depthMask = -1;
    GLint viewport[4] = {-1, -1, -1, -1};
    float clearColour[4] = {-1.0f, -1.0f, -1.0f, -1.0f};
};

struct FixedGlState {
    MatrixStack modelview;
    MatrixStack projection;
    GLenum matrixMode = GL_MODELVIEW;
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float normal[3] = {0.0f, 0.0f, 1.0f};
    TextureUnitState units[fixedTextureUnits];
    int activeUnit = 0;
    int clientActiveUnit = 0;
    bool lighting = false;
    bool light0 = false;
    bool fog = false;
    float lightModelAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    LightState light0State;
    MaterialState material;  // front; the show sets both faces alike
    FogState fogState;
    // Bumped by every change a program reads, so that the uniforms are
    // written only when something changed since a program's last draw.
    uint64_t serial = 1;
    // Between glBegin and glEnd.
    bool inPrimitive = false;
    GLenum primitive = 0;
    std::vector<FixedVertex> batch;
    GatheredDraw gathered;
    WebGlMirror webgl;
    // The program that glUseProgram made current; 0 draws with the layer's own.
    GLuint program = 0;
    // The layer's own objects, made with the context.
    GLuint fixedProgram = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
};

FixedGlState& fixedGl();

// Makes the layer's own program, vertex array and buffer in the current
// context; false, with why set, when the context refuses them.
bool startFixedGl(const char*& why);
// Forgets the objects of a context that is gone.
void forgetFixedGl();

// Draws what is gathered. Every call that changes what a draw reads calls
// it first, so the gathered primitives are drawn with the state they had.
void drawGathered(FixedGlState& state);
// A change to the state that programs read, about to be made: what is
// gathered is drawn first.
void changingFixedState(FixedGlState& state);

// WebGL's own calls, left out where the context already has that state.
void webglUseProgram(FixedGlState& state, GLuint program);
void webglActiveUnit(FixedGlState& state, int unit);
// False for a capability the mirror does not follow.
bool webglSetCapability(FixedGlState& state, GLenum cap, bool on);

// Matrices in float, as the desktop pipeline multiplies them.
void multiplyMatrix(Matrix4& into, const float by[16]);
Matrix4 product(const Matrix4& a, const Matrix4& b);
MatrixStack& currentStack(FixedGlState& state);

// The vertex attributes' locations in every program the layer links.
enum FixedAttribute : GLuint { attribVertex = 0, attribNormal, attribColour, attribTexCoord0, attribTexCoord1 };

// Writes the built-in uniforms of program (the layer's own or one it
// translated) from the state, when they changed since its last draw.
void feedProgramUniforms(FixedGlState& state, GLuint program);
// Reads the built-in uniforms' locations of a program just linked.
void rememberProgramBuiltins(GLuint program);
void forgetProgramBuiltins(GLuint program);
