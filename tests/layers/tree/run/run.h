#pragma once
#include "scenes/logo.h"
