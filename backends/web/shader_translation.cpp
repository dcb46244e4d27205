#include "backends/web/shader_translation.h"

#include <cctype>
#include <cstring>

namespace {

struct Rename {
    const char* desktop;
    const char* es;
};

// The built-ins that the layer feeds, under names of its own: GLSL ES
// reserves every gl_ name.
const Rename renames[] = {
    {"gl_Vertex", "dusk_Vertex"},
    {"gl_Normal", "dusk_Normal"},
    {"gl_Color", "dusk_Color"},
    {"gl_MultiTexCoord0", "dusk_MultiTexCoord0"},
    {"gl_MultiTexCoord1", "dusk_MultiTexCoord1"},
    {"gl_ModelViewMatrix", "dusk_ModelViewMatrix"},
    {"gl_ProjectionMatrix", "dusk_ProjectionMatrix"},
    {"gl_ModelViewProjectionMatrix", "dusk_ModelViewProjectionMatrix"},
    {"gl_NormalMatrix", "dusk_NormalMatrix"},
    {"gl_TexCoord", "dusk_TexCoord"},
    {"gl_LightSource", "dusk_LightSource"},
    {"gl_FrontMaterial", "dusk_FrontMaterial"},
    {"gl_Fog", "dusk_Fog"},
    {"gl_FragColor", "dusk_FragColor"},
    {"texture2D", "texture"},
    {"attribute", "in"},
};

const char vertexHeader[] =
    "#version 300 es\n"
    "precision highp float;\n"
    "precision highp int;\n"
    "in vec4 dusk_Vertex;\n"
    "in vec3 dusk_Normal;\n"
    "in vec4 dusk_Color;\n"
    "in vec4 dusk_MultiTexCoord0;\n"
    "in vec4 dusk_MultiTexCoord1;\n"
    "out vec4 dusk_TexCoord[2];\n";

const char fragmentHeader[] =
    "#version 300 es\n"
    "precision highp float;\n"
    "precision highp int;\n"
    "in vec4 dusk_TexCoord[2];\n"
    "out vec4 dusk_FragColor;\n";

bool identifierStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool identifierPart(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

const char* renamed(const std::string& word, bool vertexStage)
{
    if (word == "varying")
        return vertexStage ? "out" : "in";
    for (const Rename& r : renames)
        if (word == r.desktop)
            return r.es;
    return nullptr;
}

}  // namespace

const char fixedBuiltinDeclarations[] =
    "uniform mat4 dusk_ModelViewMatrix;\n"
    "uniform mat4 dusk_ProjectionMatrix;\n"
    "uniform mat4 dusk_ModelViewProjectionMatrix;\n"
    "uniform mat3 dusk_NormalMatrix;\n"
    "struct dusk_LightSourceParameters {\n"
    "  vec4 ambient; vec4 diffuse; vec4 specular; vec4 position;\n"
    "  vec3 spotDirection; float spotExponent; float spotCutoff; float spotCosCutoff;\n"
    "  float constantAttenuation; float linearAttenuation; float quadraticAttenuation;\n"
    "};\n"
    "uniform dusk_LightSourceParameters dusk_LightSource[1];\n"
    "struct dusk_MaterialParameters {\n"
    "  vec4 emission; vec4 ambient; vec4 diffuse; vec4 specular; float shininess;\n"
    "};\n"
    "uniform dusk_MaterialParameters dusk_FrontMaterial;\n"
    "struct dusk_FogParameters { vec4 color; float density; float start; float end; float scale; };\n"
    "uniform dusk_FogParameters dusk_Fog;\n";

std::string translateDesktopShader(const std::string& source, bool vertexStage)
{
    std::string out = vertexStage ? vertexHeader : fragmentHeader;
    out += fixedBuiltinDeclarations;
    out += "#line 1\n";
    size_t i = 0;
    while (i < source.size()) {
        const char c = source[i];
        // A desktop #version line would come after ours; the text is 1.10 either way.
        if (c == '#' && source.compare(i, 8, "#version") == 0) {
            const size_t end = source.find('\n', i);
            i = end == std::string::npos ? source.size() : end;
            continue;
        }
        if (identifierStart(c)) {
            size_t end = i + 1;
            while (end < source.size() && identifierPart(source[end]))
                ++end;
            const std::string word = source.substr(i, end - i);
            const char* es = renamed(word, vertexStage);
            out += es ? es : word;
            i = end;
            continue;
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            // A number's letters (1.0e5, 0x1F) are no identifier.
            size_t end = i + 1;
            while (end < source.size() && (identifierPart(source[end]) || source[end] == '.'))
                ++end;
            out.append(source, i, end - i);
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}
