// Desktop shader programs on WebGL 2: each text translated to GLSL ES 3.00
// as it is handed over, the layer's attribute names bound before each link,
// and the current program remembered so that a draw feeds its built-ins.
#include <string>

#include "backends/web/fixed_gl.h"
#include "backends/web/shader_translation.h"

void bindFixedAttributes(GLuint program);

extern "C" {

void glShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths)
{
    std::string text;
    for (GLsizei i = 0; i < count; ++i) {
        if (!strings[i])
            continue;
        if (lengths && lengths[i] >= 0)
            text.append(strings[i], static_cast<size_t>(lengths[i]));
        else
            text += strings[i];
    }
    GLint type = 0;
    emscripten_glGetShaderiv(shader, GL_SHADER_TYPE, &type);
    const std::string es = translateDesktopShader(text, type == GL_VERTEX_SHADER);
    const GLchar* source = es.c_str();
    emscripten_glShaderSource(shader, 1, &source, nullptr);
}

void glLinkProgram(GLuint program)
{
    drawGathered(fixedGl());
    bindFixedAttributes(program);
    emscripten_glLinkProgram(program);
    GLint linked = GL_FALSE;
    emscripten_glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked)
        rememberProgramBuiltins(program);
    else
        forgetProgramBuiltins(program);
}

// WebGL's program follows at the next draw or uniform call: a draw names its own.
void glUseProgram(GLuint program)
{
    fixedGl().program = program;
}

void glDeleteProgram(GLuint program)
{
    FixedGlState& state = fixedGl();
    drawGathered(state);
    if (state.program == program)
        state.program = 0;
    if (state.webgl.program == program)
        state.webgl.program = ~0u;  // its name may come back for another
    forgetProgramBuiltins(program);
    emscripten_glDeleteProgram(program);
}

}  // extern "C"
