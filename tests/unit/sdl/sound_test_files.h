#pragma once
#include <stdlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/write_bytes.h"

// Files the sound tests make for themselves.

// A fresh folder under the test's temporary folder, removed again with its files.
struct ScratchFolder {
    std::string path;
    ScratchFolder();
    ~ScratchFolder();
    std::string file(const std::string& name) const { return path + "/" + name; }
};

// Sets an environment variable for one scope.
struct ScopedEnv {
    std::string name;
    ScopedEnv(const char* n, const char* value) : name(n) { setenv(n, value, 1); }
    ~ScopedEnv() { unsetenv(name.c_str()); }
};


// A stereo sine at the centre of spectrum bin `bin` (of the show's 44100 Hz),
// encoded with LAME at `rate`, with its LAME tag unless lameTag is false.
std::vector<unsigned char> sineMp3(size_t frames, int bin, float amplitude, int rate = 44100, bool lameTag = true);

// A one-pattern four-channel Protracker module with a looped square-wave
// sample: 64 rows at speed 6 and 125 BPM, 7.68 seconds.
std::vector<unsigned char> tinyModule();
