// Writes what the Linux build's decoder makes of MP3 files, as raw float
// stereo (FILE.f32 beside each FILE.mp3): the reference that the Windows
// decoder is held to.
#include <cstdio>
#include <string>
#include <vector>

#include "music/sound/sound_backend.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: sound-linux-pcm FILE.mp3...\n");
        return 2;
    }
    for (int i = 1; i < argc; ++i) {
        std::vector<float> pcm;
        const char* why = "";
        if (!decodeMp3File(argv[i], pcm, why)) {
            std::fprintf(stderr, "sound-linux-pcm: %s %s\n", argv[i], why);
            return 1;
        }
        std::string path = argv[i];
        path = path.substr(0, path.rfind('.')) + ".f32";
        std::FILE* out = std::fopen(path.c_str(), "wb");
        const bool ok = out && std::fwrite(pcm.data(), sizeof(float), pcm.size(), out) == pcm.size();
        if (!out || std::fclose(out) != 0 || !ok) {
            std::fprintf(stderr, "sound-linux-pcm: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
