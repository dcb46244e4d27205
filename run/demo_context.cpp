#include "run/demo_context.h"

#include <cstdlib>

#include "run/configurator.h"

DemoContext::~DemoContext()
{
    // The members release themselves in reverse order (music, pictures,
    // shaders, textures); the version text is ours.
    // A launcher left without launching skips the teardown that deletes the
    // configurator.
    delete configurator;
    configurator = nullptr;
    std::free(glVersion.text);
    glVersion.text = nullptr;
}
