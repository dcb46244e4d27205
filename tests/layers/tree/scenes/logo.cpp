#include "scenes/logo.h"
#include "frame/bands.h"
