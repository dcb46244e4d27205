// Files the Windows build must refuse, loaded as the show loads its music
// (by name: a stream when the name holds "MP3", else a tracker module), each
// with the line the show would print before it ends with 1; and a cut-short
// file, which plays what decodes with a line of its own; and a decode told
// to stop (the launcher was left), which ends within one block.
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "assets/data_file.h"
#include "music/music_track.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "tests/write_bytes.h"

int main(int argc, char** argv)
{
    SoundLayer sound(platformSoundBackend());
    if (argc != 2) {
        std::fprintf(stderr, "usage: sound-decoder-refusals FOLDER (with music.mp3)\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<unsigned char> music;
    if (!readDataFile((folder + "/music.mp3").c_str(), music) || music.empty()) {
        std::printf("FAIL %s/music.mp3 is missing\n", argv[1]);
        return 1;
    }
    std::vector<unsigned char> text;
    for (int i = 0; i < 400; ++i)
        text.insert(text.end(), {'n', 'o', 't', ' ', 'a', 'n', ' ', 'm', 'p', '3', '.', ' '});
    // A real tracker module would be refused the same way: the Windows
    // build plays none, so any file under a module's name will do.
    const std::vector<unsigned char> half(music.begin(), music.begin() + music.size() / 2);
    if (!writeBytes(folder + "/cut.mp3", half) || !writeBytes(folder + "/text.mp3", text) ||
        !writeBytes(folder + "/empty.mp3", {}) || !writeBytes(folder + "/tune.xm", text)) {
        std::printf("FAIL cannot write into %s\n", argv[1]);
        return 1;
    }

    const struct {
        const char* file;
        const char* why;
    } cases[] = {
        {"absent.mp3", "cannot be opened"},
        {"empty.mp3", "is not an MP3 that decodes"},
        {"text.mp3", "is not an MP3 that decodes"},
        {"cut.mp3", "loads, is shorter than its header says"},
        {"absent.xm", "cannot be opened"},
        {"tune.xm", "is a tracker module, which the Windows build does not play"},
    };
    // No device: what is refused is decided before anything is played.
    soundUseExplicitPosition(sound, true);
    int failures = 0;
    for (const auto& c : cases) {
        const std::string path = folder + "/" + c.file;
        bool loaded = false;
        std::string why;
        {
            soundInit(sound);
            MusicTrack track(sound);  // frees the sound again when it goes
            loaded = track.load(path.c_str()) == 0;
            why = loaded ? std::string("loads, ") + soundLastNotice(sound) : soundLastFailure(sound);
        }
        const bool ok = why == c.why;
        std::printf("%s duskwheel: the music file %s %s\n", ok ? "ok  " : "FAIL", dataFilePath(path.c_str()).c_str(),
                    why.c_str());
        failures += ok ? 0 : 1;
    }

    DecodeControl control;
    std::vector<float> pcm;
    const char* why = "";
    bool decoded = true;
    bool done = false;
    const std::string track = folder + "/music.mp3";
    std::thread worker([&] {
        decoded = decodeMp3File(track.c_str(), pcm, why, &control);
        done = true;
    });
    while (control.blocks.load() < 2 && !done)
        std::this_thread::yield();
    control.stop = true;
    const uint32_t atStop = control.blocks.load();
    worker.join();
    const uint32_t after = control.blocks.load() - atStop;
    const bool stopped = !decoded && after <= 1 && std::string(why) == decodeStoppedFailure;
    std::printf("%s a decode told to stop after %u blocks decoded %u more: %s\n", stopped ? "ok  " : "FAIL", atStop,
                after, why);
    failures += stopped ? 0 : 1;
    return failures == 0 ? 0 : 1;
}
