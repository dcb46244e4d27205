#include "shell/demo_context.h"

#include <cstdlib>

#include "shell/configurator.h"

DemoContext::DemoContext(const DisplaySource* displays)
{
    if (displays) {
        enumerateDisplayModes(*displays, displayModes);
        desktopAspect = detectDesktopAspect(*displays);
    }
    maxSamples = 0;
    extensionLoader.owner = this;
    extensionLoader.loaded = false;
    musicStarted = false;
}

DemoContext::~DemoContext()
{
    // The members release themselves in reverse order (music, shaders,
    // textures, display modes); the version text is ours.
    // A launcher left without launching skips the teardown that deletes the
    // configurator.
    delete configurator;
    configurator = nullptr;
    std::free(glVersion.text);
    glVersion.text = nullptr;
}
