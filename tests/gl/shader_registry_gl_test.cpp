#include <gtest/gtest.h>

#include <string>

#include "assets/shader_registry.h"
#include "assets/shader_sources.h"
#include "assets/show_assets.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"
#include "tests/gl/gl_test_context.h"

namespace {

int countShaders(const ShaderRegistry& registry)
{
    int count = 0;
    for (ShaderNode* node = registry.shaderHead; node; node = node->next)
        ++count;
    return count;
}

int countPrograms(const ShaderRegistry& registry)
{
    int count = 0;
    for (ProgramNode* node = registry.programHead; node; node = node->next)
        ++count;
    return count;
}

}  // namespace

TEST(ShaderRegistry, ShowShadersCompileAndLinkFromTheirExactTexts)
{
    glTestContext();
    ShaderRegistry registry;
    loadShowShaders(registry);
    EXPECT_EQ(countShaders(registry), 2);
    EXPECT_EQ(countPrograms(registry), 1);

    const ShaderObject* vertex = registry.findShader("PP_VERT");
    const ShaderObject* fragment = registry.findShader("PP_FRAG");
    ASSERT_NE(vertex, nullptr);
    ASSERT_NE(fragment, nullptr);
    EXPECT_EQ(vertex->compiled, 1);
    EXPECT_EQ(vertex->type, static_cast<uint32_t>(GL_VERTEX_SHADER));
    EXPECT_EQ(fragment->type, static_cast<uint32_t>(GL_FRAGMENT_SHADER));
    // What GL holds is the text and nothing more (its length counts the terminating zero).
    GLint length = 0;
    glProcs.glGetShaderiv(vertex->id, GL_SHADER_SOURCE_LENGTH, &length);
    EXPECT_EQ(length, 632);
    glProcs.glGetShaderiv(fragment->id, GL_SHADER_SOURCE_LENGTH, &length);
    EXPECT_EQ(length, 869);
    // Line 16 of the vertex text is empty, and no text ends in a line feed.
    const std::string vertexText = ppVertexSource;
    size_t at = 0;
    for (int line = 1; line < 16; ++line)
        at = vertexText.find('\n', at) + 1;
    EXPECT_EQ(vertexText[at], '\n');
    EXPECT_EQ(vertexText.back(), '}');
    EXPECT_EQ(std::string(ppFragmentSource).back(), '}');

    const ShaderProgram* program = registry.findProgram("PP");
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(registry.findProgram("pp"), nullptr);
    EXPECT_EQ(registry.findShader("pp_vert"), nullptr);
    GLint linked = GL_FALSE;
    glProcs.glGetProgramiv(program->id, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    GLint attached = 0;
    glProcs.glGetProgramiv(program->id, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ShaderRegistry, AShaderThatFailsToCompileStaysNamelessAndNothingLinks)
{
    glTestContext();
    ShaderRegistry registry;
    EXPECT_TRUE(registry.addShader("PP_VERT", GL_VERTEX_SHADER, ppVertexSource));
    EXPECT_TRUE(registry.addShader("PP_FRAG", GL_FRAGMENT_SHADER, "void main() { this is not a shader }"));
    EXPECT_EQ(countShaders(registry), 2);
    ASSERT_NE(registry.shaderTail, nullptr);
    EXPECT_EQ(registry.shaderTail->shader->name, nullptr);
    EXPECT_EQ(registry.shaderTail->shader->compiled, 0);
    EXPECT_NE(registry.findShader("PP_VERT"), nullptr);
    EXPECT_EQ(registry.findShader("PP_FRAG"), nullptr);
    EXPECT_EQ(registry.linkProgram(), nullptr);
    EXPECT_EQ(registry.programHead, nullptr);
    EXPECT_EQ(registry.findProgram("PP"), nullptr);
}
