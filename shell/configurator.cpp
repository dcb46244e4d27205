#include "shell/configurator.h"

#include "shell/demo_context.h"

bool VelloranConfigurator::load()
{
    return true;
}
