#include "shell/configurator.h"

#include "assets/show_assets.h"
#include "music/show_music.h"
#include "shell/demo_context.h"

bool VelloranConfigurator::load()
{
    if (!loadShowMusic(context->music))
        return false;
    loadShowShaders(context->shaders);
    loadShowTextures(context->textures);
    return true;
}
