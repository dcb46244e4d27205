#include "assets/shader_registry.h"

#include <cstdlib>
#include <cstring>

#include "assets/registry_list.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"

bool ShaderRegistry::addShader(const char* name, uint32_t type, const char* source)
{
    auto* shader = new ShaderObject;
    shader->type = type;
    shader->id = glProcs.glCreateShader(type);
    const GLchar* text = source;
    const GLint length = static_cast<GLint>(std::strlen(source));
    glProcs.glShaderSource(shader->id, 1, &text, &length);
    glProcs.glCompileShader(shader->id);
    GLint status = GL_FALSE;
    glProcs.glGetShaderiv(shader->id, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) {
        shader->name = copyName(name);
        shader->compiled = 1;
    }

    appendNode(shaderHead, shaderTail, new ShaderNode{shader, nullptr});
    return true;
}

ShaderObject* ShaderRegistry::findShader(const char* name) const
{
    for (ShaderNode* node = shaderHead; node; node = node->next)
        if (node->shader->name && std::strcmp(node->shader->name, name) == 0)
            return node->shader;
    return nullptr;
}

ShaderProgram* ShaderRegistry::linkProgram()
{
    const ShaderObject* vertex = findShader("PP_VERT");
    const ShaderObject* fragment = findShader("PP_FRAG");
    if (!vertex || !fragment)
        return nullptr;

    auto* program = new ShaderProgram;
    program->name = copyName("PP");
    program->id = glProcs.glCreateProgram();
    glProcs.glAttachShader(program->id, vertex->id);
    glProcs.glAttachShader(program->id, fragment->id);
    glProcs.glLinkProgram(program->id);
    // Asked and not acted on: a program that failed to link is kept and
    // returned like a good one.
    GLint status = GL_FALSE;
    glProcs.glGetProgramiv(program->id, GL_LINK_STATUS, &status);

    appendNode(programHead, programTail, new ProgramNode{program, nullptr});
    return program;
}

ShaderProgram* ShaderRegistry::findProgram(const char* name) const
{
    for (ProgramNode* node = programHead; node; node = node->next)
        if (std::strcmp(node->program->name, name) == 0)
            return node->program;
    return nullptr;
}

void ShaderRegistry::release()
{
    // At exit the context is already gone: the deletes then do nothing, and
    // the entry points are called only for objects that were made through them.
    releaseList(programHead, programTail, [](ProgramNode& node) {
        if (node.program->id != 0 && glProcs.glDeleteProgram)
            glProcs.glDeleteProgram(node.program->id);
        std::free(node.program->name);
        delete node.program;
    });
    releaseList(shaderHead, shaderTail, [](ShaderNode& node) {
        if (node.shader->id != 0 && glProcs.glDeleteShader)
            glProcs.glDeleteShader(node.shader->id);
        std::free(node.shader->name);
        delete node.shader;
    });
}

ShaderRegistry::~ShaderRegistry()
{
    release();
}
