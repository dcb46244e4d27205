#include <vector>

#include "assets/data_file.h"
#include "music/sound/sound_backend.h"

bool decodeDataFile(DecodeFunction decode, const char* fileName, std::vector<float>& pcm, const char*& why,
                    DecodeControl* control)
{
    std::vector<unsigned char> bytes;
    if (!readDataFile(fileName, bytes)) {
        pcm.clear();
        why = "cannot be opened";
        return false;
    }
    return decode(bytes.data(), bytes.size(), pcm, why, control);
}
