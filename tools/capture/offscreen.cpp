#include "tools/capture/offscreen.h"

#include "gl/gl.h"
#include "gl/gl_procs.h"
#include "tools/capture/capture_options.h"

OffscreenTarget::Made OffscreenTarget::make(int32_t width, int32_t height, std::string& why)
{
    GLint maxRenderbuffer = 0;
    GLint maxViewport[2] = {0, 0};
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE_EXT, &maxRenderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
    const int32_t viewport[2] = {maxViewport[0], maxViewport[1]};
    if (!fitsDriverLimits(width, height, maxRenderbuffer, viewport)) {
        const int32_t wide = maxRenderbuffer < viewport[0] ? maxRenderbuffer : viewport[0];
        const int32_t high = maxRenderbuffer < viewport[1] ? maxRenderbuffer : viewport[1];
        why = "--size: " + std::to_string(width) + "x" + std::to_string(height) +
              " is larger than this OpenGL driver draws (at most " + std::to_string(wide) + "x" +
              std::to_string(high) + ")";
        return Made::TooLarge;
    }
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
        // earlier errors are not this picture's
    }

    // The window's own buffers hold 24 bits of depth and 8 of stencil; the
    // show clears the stencil, so it gets one where the driver packs them.
    const bool packed = hasGlExtension("GL_EXT_packed_depth_stencil");
    GLuint colour = 0;
    GLuint depth = 0;
    glProcs.glGenFramebuffersEXT(1, &framebuffer);
    glProcs.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
    glProcs.glGenRenderbuffersEXT(1, &colour);
    glProcs.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, colour);
    glProcs.glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
    glProcs.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, colour);
    glProcs.glGenRenderbuffersEXT(1, &depth);
    glProcs.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depth);
    glProcs.glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, packed ? GL_DEPTH24_STENCIL8_EXT : GL_DEPTH_COMPONENT24,
                                     width, height);
    glProcs.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depth);
    if (packed)
        glProcs.glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT,
                                             depth);
    glProcs.glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, 0);
    // The renderbuffers have no delete in the show's entry points; they go
    // with the context, which the capture closes right after the framebuffer.

    const GLenum error = glGetError();
    const GLenum status = glProcs.glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT);
    if (error != GL_NO_ERROR || status != GL_FRAMEBUFFER_COMPLETE_EXT) {
        why = "cannot make a " + std::to_string(width) + "x" + std::to_string(height) + " picture to draw into (" +
              (error == GL_OUT_OF_MEMORY ? std::string("out of memory") : "framebuffer status " + std::to_string(status)) +
              ")";
        release();
        return Made::Failed;
    }
    pictureWidth = width;
    pictureHeight = height;
    return Made::Ok;
}

void OffscreenTarget::bind() const
{
    glProcs.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
}

void OffscreenTarget::readBgra(uint8_t* pixels) const
{
    bind();
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, pictureWidth, pictureHeight, GL_BGRA_EXT, GL_UNSIGNED_BYTE, pixels);
}

void OffscreenTarget::readRgb(uint8_t* pixels) const
{
    bind();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, pictureWidth, pictureHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels);
}

void OffscreenTarget::release()
{
    if (framebuffer == 0)
        return;
    glProcs.glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    glProcs.glDeleteFramebuffersEXT(1, &framebuffer);
    framebuffer = 0;
}
