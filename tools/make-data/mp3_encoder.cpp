#include "tools/make-data/mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstring>

bool encodeMp3(const std::vector<float>& pcm, int kbps, std::vector<unsigned char>& mp3,
               const std::function<void(double)>& progress, int rate, bool lameTag)
{
    mp3.clear();
    lame_global_flags* lame = lame_init();
    if (!lame)
        return false;
    lame_set_in_samplerate(lame, rate);
    lame_set_out_samplerate(lame, rate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_brate(lame, kbps);
    lame_set_VBR(lame, vbr_off);
    lame_set_quality(lame, 5);
    lame_set_bWriteVbrTag(lame, lameTag ? 1 : 0);  // the LAME tag carries delay and padding
    lame_set_write_id3tag_automatic(lame, 0);
    if (lame_init_params(lame) < 0) {
        lame_close(lame);
        return false;
    }

    const size_t frames = pcm.size() / 2;
    const size_t block = 8192;
    std::vector<float> left(block);
    std::vector<float> right(block);
    std::vector<unsigned char> out(block * 5 / 4 + 7200);
    bool ok = true;
    size_t reported = 0;
    for (size_t done = 0; done < frames && ok; done += block) {
        const size_t n = std::min(block, frames - done);
        for (size_t i = 0; i < n; ++i) {
            left[i] = pcm[2 * (done + i)];
            right[i] = pcm[2 * (done + i) + 1];
        }
        const int bytes = lame_encode_buffer_ieee_float(lame, left.data(), right.data(), static_cast<int>(n),
                                                        out.data(), static_cast<int>(out.size()));
        ok = bytes >= 0;
        if (ok)
            mp3.insert(mp3.end(), out.begin(), out.begin() + bytes);
        if (progress && (done + n) * 4 / frames > reported) {
            reported = (done + n) * 4 / frames;
            progress(static_cast<double>(done + n) / static_cast<double>(frames));
        }
    }
    if (ok) {
        const int bytes = lame_encode_flush(lame, out.data(), static_cast<int>(out.size()));
        ok = bytes >= 0;
        if (ok)
            mp3.insert(mp3.end(), out.begin(), out.begin() + bytes);
    }
    // The first frame written was a placeholder for the tag; the tag is only
    // known now.
    if (ok) {
        unsigned char tag[2880];
        const size_t size = lame_get_lametag_frame(lame, tag, sizeof tag);
        if (size > 0 && size <= mp3.size())
            std::memcpy(mp3.data(), tag, size);
    }
    lame_close(lame);
    return ok && !mp3.empty();
}
