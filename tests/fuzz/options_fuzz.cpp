// Any command line for the capture tool, one argument per line.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/capture/capture_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> words{"duskwheel-capture"};
    std::string word;
    for (size_t i = 0; i < size && words.size() < 64; ++i) {
        if (data[i] == '\n') {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words)
        argv.push_back(w.c_str());
    argv.push_back(nullptr);

    CaptureOptions options;
    std::string error;
    const bool ok = parseCaptureOptions(static_cast<int>(words.size()), argv.data(), options, error);
    // A refusal always says why; an acceptance holds only usable values.
    if (!ok && error.empty())
        __builtin_trap();
    if (ok && (options.width < 16 || options.height < 16))
        __builtin_trap();
    return 0;
}
