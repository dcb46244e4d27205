// make-data [FOLDER]: writes the show's default Data folder (default "Data").
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/make-data/default_data.h"

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: make-data [FOLDER]\n");
        return 2;
    }
    const std::string dir = argc == 2 ? argv[1] : "Data";
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "make-data: cannot create %s: %s\n", dir.c_str(), std::strerror(errno));
        return 1;
    }
    if (!writeDefaultImages(dir) || !writeDefaultMusic(dir))
        return 1;
    std::printf("make-data: wrote %s\n", dir.c_str());
    return 0;
}
