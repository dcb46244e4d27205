#pragma once
#include <vector>

// The tracker module "decoder" of a build that plays none, in the build's
// own name ("Windows", "web"): a file that is there is refused ("is a
// tracker module, which the Windows build does not play"), one that is not
// "cannot be opened", as on every build. Always false, with pcm empty.
bool refuseModuleFile(const char* build, const char* fileName, std::vector<float>& pcm, const char*& why);
