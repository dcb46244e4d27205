#pragma once
#include <vector>

// The tracker module "decoder" of a build that plays none, in the build's
// own name ("Windows", "web"): any file that could be read is refused ("is
// a tracker module, which the Windows build does not play"). Always false,
// with pcm empty.
bool refuseModuleFile(const char* build, std::vector<float>& pcm, const char*& why);
