// The layer's own program: GL's fixed pipeline for what the show draws with
// it (colour, light 0, two texture units with their environment, fog), and
// the built-in uniforms fed to every program from the layer's state.
#include <cmath>
#include <cstring>
#include <map>
#include <string>

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

// Where each built-in of a program is; -1 for what it does not use.
struct ProgramBuiltins {
    GLint modelview = -1, projection = -1, mvp = -1, normalMatrix = -1;
    GLint lightAmbient = -1, lightDiffuse = -1, lightSpecular = -1, lightPosition = -1;
    GLint spotDirection = -1, spotExponent = -1, spotCutoff = -1, spotCosCutoff = -1;
    GLint constantAtt = -1, linearAtt = -1, quadraticAtt = -1;
    GLint matEmission = -1, matAmbient = -1, matDiffuse = -1, matSpecular = -1, matShininess = -1;
    GLint fogColour = -1, fogDensity = -1, fogStart = -1, fogEnd = -1, fogScale = -1;
    // The layer's own program only.
    GLint lighting = -1, lightModelAmbient = -1, textureMatrix = -1, textures = -1, textureOn = -1;
    GLint envMode = -1, envColour = -1, fogOn = -1, fogMode = -1;
    uint64_t fedSerial = 0;
};

std::map<GLuint, ProgramBuiltins>& builtinsByProgram()
{
    static std::map<GLuint, ProgramBuiltins> programs;
    return programs;
}

GLint where(GLuint program, const char* name)
{
    return emscripten_glGetUniformLocation(program, name);
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

void setVec4(GLint at, const float* v)
{
    if (at >= 0)
        emscripten_glUniform4fv(at, 1, v);
}

void setFloat(GLint at, float v)
{
    if (at >= 0)
        emscripten_glUniform1f(at, v);
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
    const Matrix4 mvp = product(p, mv);
    if (b.modelview >= 0)
        emscripten_glUniformMatrix4fv(b.modelview, 1, GL_FALSE, mv.m);
    if (b.projection >= 0)
        emscripten_glUniformMatrix4fv(b.projection, 1, GL_FALSE, p.m);
    if (b.mvp >= 0)
        emscripten_glUniformMatrix4fv(b.mvp, 1, GL_FALSE, mvp.m);
    if (b.normalMatrix >= 0) {
        float n[9];
        normalMatrixOf(mv, n);
        emscripten_glUniformMatrix3fv(b.normalMatrix, 1, GL_FALSE, n);
    }
    const LightState& l = state.light0State;
    setVec4(b.lightAmbient, l.ambient);
    setVec4(b.lightDiffuse, l.diffuse);
    setVec4(b.lightSpecular, l.specular);
    setVec4(b.lightPosition, l.position);
    if (b.spotDirection >= 0)
        emscripten_glUniform3fv(b.spotDirection, 1, l.spotDirection);
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

    if (b.lighting >= 0)
        emscripten_glUniform1i(b.lighting, state.lighting && state.light0);
    setVec4(b.lightModelAmbient, state.lightModelAmbient);
    if (b.textureMatrix >= 0) {
        float matrices[32];
        for (int u = 0; u < fixedTextureUnits; ++u)
            std::memcpy(matrices + 16 * u, state.units[u].matrices.top().m, sizeof(float) * 16);
        emscripten_glUniformMatrix4fv(b.textureMatrix, fixedTextureUnits, GL_FALSE, matrices);
    }
    GLint samplers[fixedTextureUnits], on[fixedTextureUnits], modes[fixedTextureUnits];
    float colours[4 * fixedTextureUnits];
    for (int u = 0; u < fixedTextureUnits; ++u) {
        samplers[u] = u;
        on[u] = state.units[u].enabled1D || state.units[u].enabled2D;
        modes[u] = static_cast<GLint>(state.units[u].envMode);
        std::memcpy(colours + 4 * u, state.units[u].envColour, sizeof(float) * 4);
    }
    if (b.textures >= 0)
        emscripten_glUniform1iv(b.textures, fixedTextureUnits, samplers);
    if (b.textureOn >= 0)
        emscripten_glUniform1iv(b.textureOn, fixedTextureUnits, on);
    if (b.envMode >= 0)
        emscripten_glUniform1iv(b.envMode, fixedTextureUnits, modes);
    if (b.envColour >= 0)
        emscripten_glUniform4fv(b.envColour, fixedTextureUnits, colours);
    if (b.fogOn >= 0)
        emscripten_glUniform1i(b.fogOn, state.fog);
    if (b.fogMode >= 0)
        emscripten_glUniform1i(b.fogMode, static_cast<GLint>(f.mode));
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
    return true;
}

void forgetFixedGl()
{
    builtinsByProgram().clear();
    fixedGl() = FixedGlState{};
}
