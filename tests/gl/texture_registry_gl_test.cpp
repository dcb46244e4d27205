#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "assets/texture_registry.h"
#include "gl/gl.h"
#include "gl/gl_procs.h"
#include "tests/gl/gl_test_context.h"

namespace {

std::vector<unsigned char> texelsOf(const TextureEntry& entry)
{
    std::vector<unsigned char> texels(static_cast<size_t>(entry.width) * entry.height * 4, 0xEE);
    glBindTexture(GL_TEXTURE_2D, entry.id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

GLint boundTexture()
{
    GLint id = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &id);
    return id;
}

}  // namespace

TEST(TextureRegistry, UploadsItsOwnCopyWithTheFixedSamplingAndFullMipmaps)
{
    glTestContext();
    TextureRegistry registry;
    std::vector<unsigned char> pixels(1024 * 128 * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<unsigned char>(i * 7);
    TextureEntry* logo = registry.create("DUSKWHEEL", 1024, 128, pixels.data());
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(logo->id, 0u);
    EXPECT_NE(logo->pixels, pixels.data());
    std::fill(pixels.begin(), pixels.end(), 0);  // the entry kept its own copy
    EXPECT_EQ(logo->pixels[7], 49);

    const std::vector<unsigned char> texels = texelsOf(*logo);
    EXPECT_EQ(0, std::memcmp(texels.data(), logo->pixels, texels.size()));
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
    // 1024 x 128 halves ten times down to 1 x 1.
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 10, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 10, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureRegistry, FindIsExactAndTheFirstOfTwinsWins)
{
    glTestContext();
    TextureRegistry registry;
    TextureEntry* text = registry.create("TEXT", 4, 4, nullptr);
    TextureEntry* firstDot = registry.create("DOT", 4, 4, nullptr);
    TextureEntry* secondDot = registry.create("DOT", 8, 8, nullptr);
    EXPECT_EQ(registry.find("TEXT"), text);
    EXPECT_EQ(registry.find("text"), nullptr);
    EXPECT_EQ(registry.find("TEX"), nullptr);
    EXPECT_EQ(registry.find("TEXTS"), nullptr);
    EXPECT_EQ(registry.find("DOT"), firstDot);
    EXPECT_NE(firstDot, secondDot);
    ASSERT_NE(registry.head, nullptr);
    EXPECT_EQ(registry.head->entry, text);
    EXPECT_EQ(registry.tail->entry, secondDot);

    // Made without pixels: transparent black, in the copy and in GL.
    const std::vector<unsigned char> texels = texelsOf(*secondDot);
    EXPECT_EQ(std::count(texels.begin(), texels.end(), 0), static_cast<long>(texels.size()));
    EXPECT_EQ(std::count(secondDot->pixels, secondDot->pixels + texels.size(), 0), static_cast<long>(texels.size()));
}

TEST(TextureRegistry, BindUsesUnitZeroAndAnUnknownNameChangesNothing)
{
    glTestContext();
    TextureRegistry registry;
    TextureEntry* overlay = registry.create("OVERLAY", 4, 4, nullptr);
    TextureEntry* other = registry.create("DOT", 4, 4, nullptr);

    glProcs.glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, other->id);
    glDisable(GL_TEXTURE_2D);
    EXPECT_FALSE(registry.bind("MISSING"));
    GLint unit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    EXPECT_EQ(unit, GL_TEXTURE1);
    EXPECT_EQ(boundTexture(), static_cast<GLint>(other->id));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    EXPECT_TRUE(registry.bind("OVERLAY"));
    glGetIntegerv(GL_ACTIVE_TEXTURE, &unit);
    EXPECT_EQ(unit, GL_TEXTURE0);
    EXPECT_EQ(boundTexture(), static_cast<GLint>(overlay->id));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST(TextureRegistry, ReleaseDeletesTheTexturesAndEmptiesTheList)
{
    glTestContext();
    TextureRegistry registry;
    const GLuint id = registry.create("DOT", 4, 4, nullptr)->id;
    EXPECT_TRUE(glIsTexture(id));
    registry.release();
    EXPECT_FALSE(glIsTexture(id));
    EXPECT_EQ(registry.find("DOT"), nullptr);
    registry.release();  // and again from the destructor: nothing twice
}
