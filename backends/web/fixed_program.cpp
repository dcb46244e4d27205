// The layer's own program: GL's fixed pipeline for what the show draws with
// it (colour, light 0, two texture units with their environment, fog), and
// the built-in uniforms fed to every program from the layer's state.
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "backends/web/fixed_gl.h"
#include "backends/web/shader_translation.h"

namespace {

const char fixedVertexBody[] =
    "uniform bool lighting;\n"
    "uniform vec4 lightModelAmbient;\n"
    "uniform mat4 textureMatrix[2];\n"
    "out vec4 colour;\n"
    "out float eyeDepth;\n"
    "void main() {\n"
    "  vec4 eye = dusk_ModelViewMatrix * dusk_Vertex;\n"
    "  eyeDepth = abs(eye.z);\n"
    "  colour = dusk_Color;\n"
    "  if (lighting) {\n"
    "    vec3 n = normalize(dusk_NormalMatrix * dusk_Normal);\n"
    "    vec4 p = dusk_LightSource[0].position;\n"
    "    vec3 toLight = p.w == 0.0 ? p.xyz : p.xyz - eye.xyz;\n"
    "    float d = length(toLight);\n"
    "    float att = p.w == 0.0 ? 1.0 : 1.0 / (dusk_LightSource[0].constantAttenuation +\n"
    "        dusk_LightSource[0].linearAttenuation * d + dusk_LightSource[0].quadraticAttenuation * d * d);\n"
    "    vec3 l = normalize(toLight);\n"
    "    float nDotL = max(dot(n, l), 0.0);\n"
    "    vec4 c = dusk_FrontMaterial.emission + lightModelAmbient * dusk_FrontMaterial.ambient;\n"
    "    vec4 lit = dusk_LightSource[0].ambient * dusk_FrontMaterial.ambient +\n"
    "        nDotL * dusk_LightSource[0].diffuse * dusk_FrontMaterial.diffuse;\n"
    "    if (nDotL > 0.0) {\n"
    "      float nDotH = max(dot(n, normalize(l + vec3(0.0, 0.0, 1.0))), 0.0);\n"
    "      lit += pow(nDotH, dusk_FrontMaterial.shininess) * dusk_LightSource[0].specular *\n"
    "          dusk_FrontMaterial.specular;\n"
    "    }\n"
    "    colour = clamp(c + att * lit, 0.0, 1.0);\n"
    "    colour.a = dusk_FrontMaterial.diffuse.a;\n"
    "  }\n"
    "  dusk_TexCoord[0] = textureMatrix[0] * dusk_MultiTexCoord0;\n"
    "  dusk_TexCoord[1] = textureMatrix[1] * dusk_MultiTexCoord1;\n"
    "  gl_Position = dusk_ModelViewProjectionMatrix * dusk_Vertex;\n"
    "}\n";

// Texture environment modes as GL numbers them.
const char fixedFragmentBody[] =
    "uniform sampler2D textures[2];\n"
    "uniform bool textureOn[2];\n"
    "uniform int envMode[2];\n"
    "uniform vec4 envColour[2];\n"
    "uniform bool fogOn;\n"
    "uniform int fogMode;\n"
    "in vec4 colour;\n"
    "in float eyeDepth;\n"
    "vec4 combine(vec4 c, vec4 t, int mode, vec4 env) {\n"
    "  if (mode == 0x1E01) return t;\n"                                               // GL_REPLACE
    "  if (mode == 0x2101) return vec4(mix(c.rgb, t.rgb, t.a), c.a);\n"              // GL_DECAL
    "  if (mode == 0x0BE2) return vec4(mix(c.rgb, env.rgb, t.rgb), c.a * t.a);\n"    // GL_BLEND
    "  if (mode == 0x0104) return vec4(min(c.rgb + t.rgb, 1.0), c.a * t.a);\n"       // GL_ADD
    "  return c * t;\n"                                                               // GL_MODULATE
    "}\n"
    "void main() {\n"
    "  vec4 c = colour;\n"
    "  if (textureOn[0]) c = combine(c, texture(textures[0], dusk_TexCoord[0].st / dusk_TexCoord[0].q), envMode[0], envColour[0]);\n"
    "  if (textureOn[1]) c = combine(c, texture(textures[1], dusk_TexCoord[1].st / dusk_TexCoord[1].q), envMode[1], envColour[1]);\n"
    "  if (fogOn) {\n"
    "    float f;\n"
    "    if (fogMode == 0x2601) f = (dusk_Fog.end - eyeDepth) * dusk_Fog.scale;\n"   // GL_LINEAR
    "    else if (fogMode == 0x0801) f = exp(-dusk_Fog.density * eyeDepth);\n"      // GL_EXP
    "    else f = exp(-pow(dusk_Fog.density * eyeDepth, 2.0));\n"                   // GL_EXP2
    "    c.rgb = mix(dusk_Fog.color.rgb, c.rgb, clamp(f, 0.0, 1.0));\n"
    "  }\n"
    "  dusk_FragColor = c;\n"
    "}\n";

// A built-in uniform of a program: where it is (-1 where the program does
// not use it) and the values it was last given, so that a value it already
// has is not sent again.
struct Uniform {
    GLint at = -1;
    std::vector<float> last;

    // True when at is used and values differ from what it has.
    bool differs(const float* values, size_t count)
    {
        if (at < 0 || (last.size() == count && std::memcmp(last.data(), values, count * sizeof(float)) == 0))
            return false;
        last.assign(values, values + count);
        return true;
    }
};

struct ProgramBuiltins {
    Uniform modelview, projection, mvp, normalMatrix;
    Uniform lightAmbient, lightDiffuse, lightSpecular, lightPosition;
    Uniform spotDirection, spotExponent, spotCutoff, spotCosCutoff;
    Uniform constantAtt, linearAtt, quadraticAtt;
    Uniform matEmission, matAmbient, matDiffuse, matSpecular, matShininess;
    Uniform fogColour, fogDensity, fogStart, fogEnd, fogScale;
    // The layer's own program only.
    Uniform lighting, lightModelAmbient, textureMatrix, textures, textureOn;
    Uniform envMode, envColour, fogOn, fogMode;
    uint64_t fedSerial = 0;
};

std::map<GLuint, ProgramBuiltins>& builtinsByProgram()
{
    static std::map<GLuint, ProgramBuiltins> programs;
    return programs;
}

Uniform where(GLuint program, const char* name)
{
    Uniform u;
    u.at = emscripten_glGetUniformLocation(program, name);
    return u;
}

GLuint compile(GLenum type, const std::string& text, std::string& log)
{
    const GLuint shader = emscripten_glCreateShader(type);
    const GLchar* source = text.c_str();
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    GLint ok = GL_FALSE;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char buffer[1024] = "";
        emscripten_glGetShaderInfoLog(shader, sizeof buffer, nullptr, buffer);
        log = buffer;
    }
    return shader;
}

// The normal matrix: the inverse transpose of the modelview's upper 3x3.
void normalMatrixOf(const Matrix4& mv, float out[9])
{
    const float* m = mv.m;
    const float a = m[0], b = m[4], c = m[8], d = m[1], e = m[5], f = m[9], g = m[2], h = m[6], i = m[10];
    const float A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
    const float det = a * A + b * B + c * C;
    const float inv = det != 0.0f ? 1.0f / det : 0.0f;
    // The inverse transpose is the cofactor matrix over the determinant;
    // written here column by column.
    out[0] = A * inv;
    out[1] = -(b * i - c * h) * inv;
    out[2] = (b * f - c * e) * inv;
    out[3] = B * inv;
    out[4] = (a * i - c * g) * inv;
    out[5] = -(a * f - c * d) * inv;
    out[6] = C * inv;
    out[7] = -(a * h - b * g) * inv;
    out[8] = (a * e - b * d) * inv;
}

void setMatrix4(Uniform& u, const float* m, int count = 1)
{
    if (u.differs(m, 16 * static_cast<size_t>(count)))
        emscripten_glUniformMatrix4fv(u.at, count, GL_FALSE, m);
}

void setMatrix3(Uniform& u, const float* m)
{
    if (u.differs(m, 9))
        emscripten_glUniformMatrix3fv(u.at, 1, GL_FALSE, m);
}

void setVec4(Uniform& u, const float* v, int count = 1)
{
    if (u.differs(v, 4 * static_cast<size_t>(count)))
        emscripten_glUniform4fv(u.at, count, v);
}

void setVec3(Uniform& u, const float* v)
{
    if (u.differs(v, 3))
        emscripten_glUniform3fv(u.at, 1, v);
}

void setFloat(Uniform& u, float v)
{
    if (u.differs(&v, 1))
        emscripten_glUniform1f(u.at, v);
}

// Ints compared as floats: the values are small (flags, units, GL's enums).
void setInts(Uniform& u, const GLint* v, int count = 1)
{
    float asFloats[fixedTextureUnits];
    for (int i = 0; i < count; ++i)
        asFloats[i] = static_cast<float>(v[i]);
    if (u.differs(asFloats, static_cast<size_t>(count)))
        emscripten_glUniform1iv(u.at, count, v);
}

}  // namespace

void rememberProgramBuiltins(GLuint program)
{
    ProgramBuiltins b;
    b.modelview = where(program, "dusk_ModelViewMatrix");
    b.projection = where(program, "dusk_ProjectionMatrix");
    b.mvp = where(program, "dusk_ModelViewProjectionMatrix");
    b.normalMatrix = where(program, "dusk_NormalMatrix");
    b.lightAmbient = where(program, "dusk_LightSource[0].ambient");
    b.lightDiffuse = where(program, "dusk_LightSource[0].diffuse");
    b.lightSpecular = where(program, "dusk_LightSource[0].specular");
    b.lightPosition = where(program, "dusk_LightSource[0].position");
    b.spotDirection = where(program, "dusk_LightSource[0].spotDirection");
    b.spotExponent = where(program, "dusk_LightSource[0].spotExponent");
    b.spotCutoff = where(program, "dusk_LightSource[0].spotCutoff");
    b.spotCosCutoff = where(program, "dusk_LightSource[0].spotCosCutoff");
    b.constantAtt = where(program, "dusk_LightSource[0].constantAttenuation");
    b.linearAtt = where(program, "dusk_LightSource[0].linearAttenuation");
    b.quadraticAtt = where(program, "dusk_LightSource[0].quadraticAttenuation");
    b.matEmission = where(program, "dusk_FrontMaterial.emission");
    b.matAmbient = where(program, "dusk_FrontMaterial.ambient");
    b.matDiffuse = where(program, "dusk_FrontMaterial.diffuse");
    b.matSpecular = where(program, "dusk_FrontMaterial.specular");
    b.matShininess = where(program, "dusk_FrontMaterial.shininess");
    b.fogColour = where(program, "dusk_Fog.color");
    b.fogDensity = where(program, "dusk_Fog.density");
    b.fogStart = where(program, "dusk_Fog.start");
    b.fogEnd = where(program, "dusk_Fog.end");
    b.fogScale = where(program, "dusk_Fog.scale");
    b.lighting = where(program, "lighting");
    b.lightModelAmbient = where(program, "lightModelAmbient");
    b.textureMatrix = where(program, "textureMatrix");
    b.textures = where(program, "textures");
    b.textureOn = where(program, "textureOn");
    b.envMode = where(program, "envMode");
    b.envColour = where(program, "envColour");
    b.fogOn = where(program, "fogOn");
    b.fogMode = where(program, "fogMode");
    builtinsByProgram()[program] = b;
}

void forgetProgramBuiltins(GLuint program)
{
    builtinsByProgram().erase(program);
}

void feedProgramUniforms(FixedGlState& state, GLuint program)
{
    auto found = builtinsByProgram().find(program);
    if (found == builtinsByProgram().end())
        return;
    ProgramBuiltins& b = found->second;
    if (b.fedSerial == state.serial)
        return;
    b.fedSerial = state.serial;

    const Matrix4& mv = state.modelview.top();
    const Matrix4& p = state.projection.top();
    setMatrix4(b.modelview, mv.m);
    setMatrix4(b.projection, p.m);
    if (b.mvp.at >= 0)
        setMatrix4(b.mvp, product(p, mv).m);
    if (b.normalMatrix.at >= 0) {
        float n[9];
        normalMatrixOf(mv, n);
        setMatrix3(b.normalMatrix, n);
    }
    const LightState& l = state.light0State;
    setVec4(b.lightAmbient, l.ambient);
    setVec4(b.lightDiffuse, l.diffuse);
    setVec4(b.lightSpecular, l.specular);
    setVec4(b.lightPosition, l.position);
    setVec3(b.spotDirection, l.spotDirection);
    setFloat(b.spotExponent, l.spotExponent);
    setFloat(b.spotCutoff, l.spotCutoff);
    setFloat(b.spotCosCutoff, static_cast<float>(std::cos(l.spotCutoff * M_PI / 180.0)));
    setFloat(b.constantAtt, l.constantAttenuation);
    setFloat(b.linearAtt, l.linearAttenuation);
    setFloat(b.quadraticAtt, l.quadraticAttenuation);
    const MaterialState& m = state.material;
    setVec4(b.matEmission, m.emission);
    setVec4(b.matAmbient, m.ambient);
    setVec4(b.matDiffuse, m.diffuse);
    setVec4(b.matSpecular, m.specular);
    setFloat(b.matShininess, m.shininess);
    const FogState& f = state.fogState;
    setVec4(b.fogColour, f.colour);
    setFloat(b.fogDensity, f.density);
    setFloat(b.fogStart, f.start);
    setFloat(b.fogEnd, f.end);
    setFloat(b.fogScale, f.end != f.start ? 1.0f / (f.end - f.start) : 0.0f);

    const GLint lighting = state.lighting && state.light0;
    setInts(b.lighting, &lighting);
    setVec4(b.lightModelAmbient, state.lightModelAmbient);
    if (b.textureMatrix.at >= 0) {
        float matrices[16 * fixedTextureUnits];
        for (int u = 0; u < fixedTextureUnits; ++u)
            std::memcpy(matrices + 16 * u, state.units[u].matrices.top().m, sizeof(float) * 16);
        setMatrix4(b.textureMatrix, matrices, fixedTextureUnits);
    }
    GLint samplers[fixedTextureUnits], on[fixedTextureUnits], modes[fixedTextureUnits];
    float colours[4 * fixedTextureUnits];
    for (int u = 0; u < fixedTextureUnits; ++u) {
        samplers[u] = u;
        on[u] = state.units[u].enabled1D || state.units[u].enabled2D;
        modes[u] = static_cast<GLint>(state.units[u].envMode);
        std::memcpy(colours + 4 * u, state.units[u].envColour, sizeof(float) * 4);
    }
    setInts(b.textures, samplers, fixedTextureUnits);
    setInts(b.textureOn, on, fixedTextureUnits);
    setInts(b.envMode, modes, fixedTextureUnits);
    setVec4(b.envColour, colours, fixedTextureUnits);
    const GLint fogOn = state.fog;
    setInts(b.fogOn, &fogOn);
    const GLint fogMode = static_cast<GLint>(f.mode);
    setInts(b.fogMode, &fogMode);
}

void bindFixedAttributes(GLuint program)
{
    emscripten_glBindAttribLocation(program, attribVertex, "dusk_Vertex");
    emscripten_glBindAttribLocation(program, attribNormal, "dusk_Normal");
    emscripten_glBindAttribLocation(program, attribColour, "dusk_Color");
    emscripten_glBindAttribLocation(program, attribTexCoord0, "dusk_MultiTexCoord0");
    emscripten_glBindAttribLocation(program, attribTexCoord1, "dusk_MultiTexCoord1");
}

FixedGlState& fixedGl()
{
    static FixedGlState state;
    return state;
}

bool startFixedGl(const char*& why)
{
    FixedGlState& state = fixedGl();
    state = FixedGlState{};
    std::string log;
    const std::string vertexText = std::string("#version 300 es\nprecision highp float;\nprecision highp int;\n") +
                                   "in vec4 dusk_Vertex;\nin vec3 dusk_Normal;\nin vec4 dusk_Color;\n"
                                   "in vec4 dusk_MultiTexCoord0;\nin vec4 dusk_MultiTexCoord1;\n"
                                   "out vec4 dusk_TexCoord[2];\n" +
                                   fixedBuiltinDeclarations + fixedVertexBody;
    const std::string fragmentText = std::string("#version 300 es\nprecision highp float;\nprecision highp int;\n") +
                                     "in vec4 dusk_TexCoord[2];\nout vec4 dusk_FragColor;\n" +
                                     fixedBuiltinDeclarations + fixedFragmentBody;
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexText, log);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentText, log);
    const GLuint program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, vertex);
    emscripten_glAttachShader(program, fragment);
    bindFixedAttributes(program);
    emscripten_glLinkProgram(program);
    emscripten_glDeleteShader(vertex);
    emscripten_glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    emscripten_glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        static std::string failure;
        char buffer[1024] = "";
        emscripten_glGetProgramInfoLog(program, sizeof buffer, nullptr, buffer);
        failure = "its fixed-function program (" + (log.empty() ? std::string(buffer) : log) + ")";
        why = failure.c_str();
        emscripten_glDeleteProgram(program);
        return false;
    }
    state.fixedProgram = program;
    rememberProgramBuiltins(program);
    emscripten_glGenVertexArrays(1, &state.vertexArray);
    emscripten_glBindVertexArray(state.vertexArray);
    emscripten_glGenBuffers(1, &state.vertexBuffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, state.vertexBuffer);
    const GLsizei stride = sizeof(FixedVertex);
    emscripten_glVertexAttribPointer(attribVertex, 4, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(FixedVertex, position)));
    emscripten_glVertexAttribPointer(attribNormal, 3, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(FixedVertex, normal)));
    emscripten_glVertexAttribPointer(attribColour, 4, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(FixedVertex, colour)));
    emscripten_glVertexAttribPointer(attribTexCoord0, 4, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(FixedVertex, texCoord)));
    emscripten_glVertexAttribPointer(attribTexCoord1, 4, GL_FLOAT, GL_FALSE, stride,
                                     reinterpret_cast<void*>(offsetof(FixedVertex, texCoord) + 4 * sizeof(float)));
    for (GLuint a = attribVertex; a <= attribTexCoord1; ++a)
        emscripten_glEnableVertexAttribArray(a);
    // A new context has WebGL's initial state, the viewport aside.
    WebGlMirror& w = state.webgl;
    w.program = 0;
    w.activeUnit = 0;
    for (GLuint& texture : w.textures)
        texture = 0;
    w.blend = w.depthTest = w.cullFace = w.scissorTest = 0;
    w.blendSource = GL_ONE;
    w.blendDestination = GL_ZERO;
    w.blendEquation = GL_FUNC_ADD;
    w.depthMask = 1;
    for (float& c : w.clearColour)
        c = 0.0f;
    return true;
}

void forgetFixedGl()
{
    builtinsByProgram().clear();
    fixedGl() = FixedGlState{};
}
