#include "tools/make-data/default_data.h"

// Placeholder until the image generator lands; that work replaces this file.
bool writeDefaultImages(const std::string&) { return true; }
