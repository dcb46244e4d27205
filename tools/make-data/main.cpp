// make-data [FOLDER]: writes the show's default Data folder (default "Data").
// make-data --icon FILE.ico: writes the Windows programs' icon instead.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/make-data/default_data.h"
#include "tools/make-data/icon.h"

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--icon") == 0)
        return writeIcon(argv[2]) ? 0 : 1;
    if (argc > 2) {
        std::fprintf(stderr, "usage: make-data [FOLDER] | make-data --icon FILE.ico\n");
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
