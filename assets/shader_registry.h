#pragma once
#include <cstdint>

struct ShaderObject {
    uint32_t id = 0;
    uint32_t type = 0;          // GL_VERTEX_SHADER or GL_FRAGMENT_SHADER
    char* name = nullptr;       // set only when it compiled; nameless shaders are never found
    unsigned char compiled = 0;
};

struct ShaderProgram {
    uint32_t id = 0;
    char* name = nullptr;
};

struct ShaderNode {
    ShaderObject* shader = nullptr;
    ShaderNode* next = nullptr;
};

struct ProgramNode {
    ShaderProgram* program = nullptr;
    ProgramNode* next = nullptr;
};

// Named shader objects and programs, two singly linked lists. Every GL call
// goes through the entry-point table.
struct ShaderRegistry {
    ShaderNode* shaderHead = nullptr;
    ShaderNode* shaderTail = nullptr;
    ProgramNode* programHead = nullptr;
    ProgramNode* programTail = nullptr;

    bool addShader(const char* name, uint32_t type, const char* source);
    ShaderObject* findShader(const char* name) const;
    // Links "PP" from "PP_VERT" and "PP_FRAG".
    ShaderProgram* linkProgram();
    ShaderProgram* findProgram(const char* name) const;
    void release();

    ShaderRegistry() = default;
    ~ShaderRegistry();
    ShaderRegistry(const ShaderRegistry&) = delete;
    ShaderRegistry& operator=(const ShaderRegistry&) = delete;
};
