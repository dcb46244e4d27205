#include "gl/gl_version.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gl/gl.h"
#include "gl/gl_procs.h"
#include "gl/context_entry_points.h"

void parseGlVersion(const char* versionString, GlVersion& version)
{
    if (!versionString)
        return;
    const char* point = std::strchr(versionString, '.');
    if (!point)
        return;
    const char digit = point > versionString ? point[-1] : '\0';
    version.major = (digit >= '0' && digit <= '9') ? digit - '0' : 0;
    version.minor = std::atoi(point + 1);
    if (!version.text) {
        version.text = static_cast<char*>(std::malloc(4));
        if (version.text)
            std::snprintf(version.text, 4, "%i.%i", version.major, version.minor);
    }
}

void readGlVersion(GlVersion& version)
{
    parseGlVersion(reinterpret_cast<const char*>(glGetString(GL_VERSION)), version);
}
