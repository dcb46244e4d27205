// Encodes the MP3 files that the Windows decoder is checked with beyond the
// default track: what a show's file might also be (mono, VBR, tagged, no
// LAME tag, sampled at 48 or 22.05 kHz).
#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/write_bytes.h"

namespace {

struct Recipe {
    const char* name;
    int rate;
    int channels;
    int kbps;  // 0: VBR
    bool lameTag;
    bool id3;
    double seconds;
};

// Left and right differ, so a swap or a mono mix shows.
void signal(int rate, double seconds, std::vector<float>& left, std::vector<float>& right)
{
    const double pi = 3.14159265358979323846;
    const size_t n = static_cast<size_t>(rate * seconds);
    left.resize(n);
    right.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        left[i] = static_cast<float>(0.4 * std::sin(2 * pi * (100 * t + 800 * t * t)));
        right[i] = static_cast<float>(0.3 * std::sin(2 * pi * 330 * t) * (0.6 + 0.4 * std::sin(2 * pi * 3 * t)));
    }
}

bool encode(const Recipe& r, std::vector<unsigned char>& mp3)
{
    lame_global_flags* lame = lame_init();
    if (!lame)
        return false;
    lame_set_in_samplerate(lame, r.rate);
    lame_set_out_samplerate(lame, r.rate);
    lame_set_num_channels(lame, r.channels);
    lame_set_mode(lame, r.channels == 1 ? MONO : JOINT_STEREO);
    if (r.kbps > 0) {
        lame_set_VBR(lame, vbr_off);
        lame_set_brate(lame, r.kbps);
    } else {
        lame_set_VBR(lame, vbr_mtrh);
        lame_set_VBR_quality(lame, 4.0f);
    }
    lame_set_bWriteVbrTag(lame, r.lameTag ? 1 : 0);
    lame_set_write_id3tag_automatic(lame, 0);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        return false;
    }
    std::vector<float> left, right;
    signal(r.rate, r.seconds, left, right);
    std::vector<unsigned char> out(left.size() * 5 / 4 + 7200);
    int bytes = lame_encode_buffer_ieee_float(lame, left.data(), r.channels == 1 ? left.data() : right.data(),
                                              static_cast<int>(left.size()), out.data(), static_cast<int>(out.size()));
    if (bytes >= 0)
        mp3.assign(out.begin(), out.begin() + bytes);
    bytes = bytes < 0 ? bytes : lame_encode_flush(lame, out.data(), static_cast<int>(out.size()));
    if (bytes >= 0)
        mp3.insert(mp3.end(), out.begin(), out.begin() + bytes);
    if (bytes >= 0 && r.lameTag) {
        unsigned char tag[2880];
        const size_t size = lame_get_lametag_frame(lame, tag, sizeof tag);
        if (size > 0 && size <= mp3.size())
            std::memcpy(mp3.data(), tag, size);
    }
    lame_close(lame);
    return bytes >= 0 && !mp3.empty();
}

void bigEndian(std::vector<unsigned char>& out, uint32_t v, int bitsPerByte)
{
    const uint32_t mask = (1u << bitsPerByte) - 1;
    for (int shift = 3 * bitsPerByte; shift >= 0; shift -= bitsPerByte)
        out.push_back(static_cast<unsigned char>((v >> shift) & mask));
}

// An ID3v2.3 tag whose private frame holds the file's own first frames, as
// a cover picture or an embedded copy might: a reader that does not skip
// the tag by its size finds frame headers in it. An ID3v1 tag ends the file.
void addTags(std::vector<unsigned char>& mp3)
{
    const std::vector<unsigned char> copy(mp3.begin(), mp3.begin() + std::min<size_t>(mp3.size(), 4096));
    std::vector<unsigned char> frame = {'P', 'R', 'I', 'V'};
    bigEndian(frame, static_cast<uint32_t>(copy.size() + 5), 8);
    frame.insert(frame.end(), {0, 0, 'd', 'u', 's', 'k', 0});
    frame.insert(frame.end(), copy.begin(), copy.end());
    frame.resize(frame.size() + 300, 0);  // padding
    std::vector<unsigned char> tag = {'I', 'D', '3', 3, 0, 0};
    bigEndian(tag, static_cast<uint32_t>(frame.size()), 7);
    tag.insert(tag.end(), frame.begin(), frame.end());
    mp3.insert(mp3.begin(), tag.begin(), tag.end());
    std::vector<unsigned char> v1(128, 0);
    std::memcpy(v1.data(), "TAGduskwheel test", 17);
    mp3.insert(mp3.end(), v1.begin(), v1.end());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-test-mp3 FOLDER\n");
        return 2;
    }
    const Recipe recipes[] = {
        {"mono_tagged.mp3", 44100, 1, 96, true, true, 2.5},
        {"vbr.mp3", 44100, 2, 0, true, false, 2.0},
        {"no_lame_tag.mp3", 44100, 2, 128, false, false, 1.5},
        {"rate48k.mp3", 48000, 2, 128, true, false, 1.0},
        {"rate22k.mp3", 22050, 2, 64, true, false, 1.0},
    };
    for (const Recipe& r : recipes) {
        std::vector<unsigned char> mp3;
        if (!encode(r, mp3)) {
            std::fprintf(stderr, "make-test-mp3: LAME cannot encode %s\n", r.name);
            return 1;
        }
        if (r.id3)
            addTags(mp3);
        const std::string path = std::string(argv[1]) + "/" + r.name;
        if (!writeBytes(path, mp3)) {
            std::fprintf(stderr, "make-test-mp3: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
