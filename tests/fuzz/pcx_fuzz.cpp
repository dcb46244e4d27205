// Any bytes as a picture file: decoded from memory and read from a file, the
// two must agree, and neither may step outside its buffers.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "assets/pcx_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PcxImage fromMemory;
    const int decoded = decodePcx(fromMemory, data, size);
    if (decoded && (fromMemory.width <= 0 || fromMemory.height <= 0 || fromMemory.width > pcxMaxSide ||
                    fromMemory.height > pcxMaxSide))
        __builtin_trap();

    if (size > 0) {
        // fmemopen will not open an empty buffer; the file reader gets the same bytes otherwise.
        std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
        PcxImage fromFile;
        const int read = file ? readPcx(fromFile, file) : 0;
        if (file && read != decoded)
            __builtin_trap();
        if (read && decoded &&
            (fromFile.width != fromMemory.width || fromFile.height != fromMemory.height ||
             std::memcmp(fromFile.pixels, fromMemory.pixels, size_t(fromFile.width) * fromFile.height * 4) != 0))
            __builtin_trap();
        freePcx(fromFile);
    }
    freePcx(fromMemory);
    return 0;
}
