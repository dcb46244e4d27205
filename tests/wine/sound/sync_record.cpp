// Records the null sink's monitor in 10 ms reads and stamps each with the
// raw monotonic clock minus the latency PulseAudio reports for it: when the
// read's last frame was played. The other half of sync.sh's figure.
#include <pulse/error.h>
#include <pulse/simple.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: sound-sync-record SECONDS OUT.raw STAMPS.txt\n");
        return 2;
    }
    constexpr unsigned readFrames = 441;
    const pa_sample_spec spec{PA_SAMPLE_S16LE, 44100, 2};
    pa_buffer_attr attributes{};
    attributes.maxlength = static_cast<uint32_t>(-1);
    attributes.fragsize = readFrames * 4;
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "sound-sync-record", PA_STREAM_RECORD, "dusk.monitor", "sync", &spec,
                                      nullptr, &attributes, &error);
    std::FILE* raw = std::fopen(argv[2], "wb");
    std::FILE* stamps = std::fopen(argv[3], "w");
    if (!stream || !raw || !stamps) {
        std::fprintf(stderr, "sound-sync-record: %s\n", stream ? "cannot write" : pa_strerror(error));
        return 1;
    }
    std::vector<unsigned char> block(readFrames * 4);
    const unsigned long long total = std::strtoull(argv[1], nullptr, 10) * 44100;
    for (unsigned long long frames = 0; frames < total;) {
        if (pa_simple_read(stream, block.data(), block.size(), &error) < 0) {
            std::fprintf(stderr, "sound-sync-record: %s\n", pa_strerror(error));
            return 1;
        }
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC_RAW, &now);
        const pa_usec_t latency = pa_simple_get_latency(stream, &error);
        frames += readFrames;
        std::fwrite(block.data(), 1, block.size(), raw);
        std::fprintf(stamps, "%llu %lld\n", frames,
                     now.tv_sec * 1000000000LL + now.tv_nsec - static_cast<long long>(latency) * 1000);
    }
    pa_simple_free(stream);
    return std::fclose(raw) == 0 && std::fclose(stamps) == 0 ? 0 : 1;
}
