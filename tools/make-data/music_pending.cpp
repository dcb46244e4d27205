#include "tools/make-data/default_data.h"

// Placeholder until the music generator lands; that work replaces this file.
bool writeDefaultMusic(const std::string&) { return true; }
