#include "frame/frame_composer.h"

#include "platform/gl.h"
#include "shell/demo_context.h"

FrameComposer::FrameComposer() : context(&gDemo) {}

FrameComposer::~FrameComposer() = default;

void FrameComposer::draw()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
