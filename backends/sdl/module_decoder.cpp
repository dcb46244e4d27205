#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <vector>

#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"

namespace {

// A module that never ends (a jump back that repeat count 0 cannot see) is
// cut here rather than filling memory.
constexpr uint64_t longestModuleFrames = uint64_t{20} * 60 * soundRate;

}  // namespace

bool renderModuleFile(const unsigned char* bytes, size_t size, std::vector<float>& pcm, const char*& why,
                      DecodeControl* control)
{
    pcm.clear();
    // An empty file has always read as one that cannot be opened.
    if (size == 0) {
        why = "cannot be opened";
        return false;
    }
    why = "is not a tracker module";
    int error = 0;
    openmpt_module* module = openmpt_module_create_from_memory2(
        bytes, size, openmpt_log_func_silent, nullptr, openmpt_error_func_ignore, nullptr, &error, nullptr, nullptr);
    if (!module)
        return false;
    openmpt_module_set_repeat_count(module, 0);  // once, no loop
    const uint64_t limit = control && control->frameLimit > 0 ? std::min(control->frameLimit, longestModuleFrames)
                                                              : longestModuleFrames;
    float block[2 * 4096];
    while (pcm.size() / 2 < limit) {
        const size_t frames = openmpt_module_read_interleaved_float_stereo(module, soundRate, 4096, block);
        if (frames == 0)
            break;
        pcm.insert(pcm.end(), block, block + 2 * frames);
        if (control && (++control->blocks, control->stop.load())) {
            openmpt_module_destroy(module);
            why = decodeStoppedFailure;
            return false;
        }
    }
    openmpt_module_destroy(module);
    if (pcm.size() < 2)
        return false;
    why = "";
    return true;
}
