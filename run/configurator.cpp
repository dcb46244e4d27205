#include "run/configurator.h"

#include "assets/show_assets.h"
#include "music/show_music.h"
#include "run/demo_context.h"

bool VelloranConfigurator::load()
{
    if (!loadShowMusic(context->music))
        return false;
    loadShowShaders(context->shaders);
    loadShowTextures(context->textures, context->pictures);
    return true;
}
