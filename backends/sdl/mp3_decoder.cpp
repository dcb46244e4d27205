#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "music/sound/resample.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"

namespace {

// The file's bytes as libmpg123 reads a file: with a length and seeking, so
// that it finds the tags at either end and the length just as from disk.
struct MemoryFile {
    const unsigned char* bytes;
    size_t size;
    size_t at = 0;
};

mpg123_ssize_t readMemory(void* handle, void* out, size_t count)
{
    MemoryFile& file = *static_cast<MemoryFile*>(handle);
    const size_t n = file.at < file.size ? std::min(count, file.size - file.at) : 0;
    if (n > 0)
        std::memcpy(out, file.bytes + file.at, n);
    file.at += n;
    return static_cast<mpg123_ssize_t>(n);
}

// As lseek: before the start is an error, past the end is allowed and reads nothing.
off_t seekMemory(void* handle, off_t offset, int whence)
{
    MemoryFile& file = *static_cast<MemoryFile*>(handle);
    const off_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<off_t>(file.at)
                       : whence == SEEK_END ? static_cast<off_t>(file.size)
                                            : -1;
    off_t to = 0;
    if (base < 0 || __builtin_add_overflow(base, offset, &to) || to < 0)
        return -1;
    file.at = static_cast<size_t>(to);
    return to;
}

struct Mpg123Handle {
    mpg123_handle* handle = nullptr;
    bool opened = false;
    ~Mpg123Handle()
    {
        if (opened)
            mpg123_close(handle);
        if (handle)
            mpg123_delete(handle);
    }
};

}  // namespace

bool decodeMp3File(const unsigned char* bytes, size_t size, std::vector<float>& pcm, const char*& why,
                   DecodeControl* control)
{
    pcm.clear();
    why = "the MP3 decoder cannot start";
    static const bool libraryReady = mpg123_init() == MPG123_OK;
    if (!libraryReady)
        return false;
    MemoryFile file{bytes, size};
    Mpg123Handle mp3;
    int error = MPG123_OK;
    mp3.handle = mpg123_new(nullptr, &error);
    if (!mp3.handle)
        return false;
    // Gapless: the LAME tag's encoder delay and padding are cut, so frame 0
    // is the first audible sample. Stereo float at the file's own rate; the
    // same resampler as the Windows build's then makes it 44100 Hz, which
    // the output, the show's clock and the spectrum's bins all count.
    mpg123_param(mp3.handle, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_FORCE_STEREO | MPG123_FORCE_FLOAT | MPG123_QUIET,
                 0.0);
    mpg123_format_none(mp3.handle);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(mp3.handle, rates[i], MPG123_STEREO, MPG123_ENC_FLOAT_32);
    // Declared before the handle, which reads it until it is closed.
    why = "is not an MP3 that decodes";
    if (mpg123_replace_reader_handle(mp3.handle, readMemory, seekMemory, nullptr) != MPG123_OK ||
        mpg123_open_handle(mp3.handle, &file) != MPG123_OK)
        return false;
    mp3.opened = true;

    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(mp3.handle, &rate, &channels, &encoding) != MPG123_OK)
        return false;
    // With a LAME tag the file says how long it is, so a file cut short
    // can be told apart from a short track.
    long delay = -1;
    mpg123_getstate(mp3.handle, MPG123_ENC_DELAY, &delay, nullptr);
    const off_t promised = delay >= 0 ? mpg123_length(mp3.handle) : off_t{-1};

    // Decoded a stretch at a time: files joined end to end may change their
    // rate, and each stretch is resampled from its own.
    std::vector<float> stretch;
    off_t decodedFrames = 0;
    const auto endStretch = [&] {
        decodedFrames += static_cast<off_t>(stretch.size() / 2);
        if (rate == soundRate && pcm.empty()) {
            pcm.swap(stretch);
        } else if (rate == soundRate) {
            pcm.insert(pcm.end(), stretch.begin(), stretch.end());
        } else if (pcm.empty()) {
            resampleTo44100(stretch, static_cast<uint32_t>(rate), pcm);
        } else {
            std::vector<float> resampled;
            resampleTo44100(stretch, static_cast<uint32_t>(rate), resampled);
            pcm.insert(pcm.end(), resampled.begin(), resampled.end());
        }
        stretch.clear();
    };
    unsigned char block[16384];
    for (;;) {
        size_t bytes = 0;
        const int result = mpg123_read(mp3.handle, block, sizeof block, &bytes);
        const float* samples = reinterpret_cast<const float*>(block);
        stretch.insert(stretch.end(), samples, samples + bytes / sizeof(float));
        // A stop (the launcher was left) ends the decode here, between two blocks.
        if (control && (++control->blocks, control->stop.load())) {
            why = decodeStoppedFailure;
            return false;
        }
        if (result == MPG123_DONE)
            break;
        if (result == MPG123_NEW_FORMAT) {
            endStretch();
            if (mpg123_getformat(mp3.handle, &rate, &channels, &encoding) != MPG123_OK)
                return false;
        } else if (result != MPG123_OK) {
            return false;
        }
    }
    endStretch();
    if (pcm.size() < 2)
        return false;
    // A cut-short file plays what decodes, with a word about it, rather than
    // ending the program: the show keeps its own clock after the music stops.
    why = promised > 0 && decodedFrames < promised ? shortMp3Notice : "";
    return true;
}
