#include "tools/capture/draw_only_sink.h"

#include <vector>

namespace {

class DrawOnlySink final : public VideoSink {
public:
    DrawOnlySink(int32_t width, int32_t height)
        : pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4)
    {
    }
    uint8_t* frameBuffer() override { return pixels.data(); }
    void submitFrame() override {}
    std::string failure() override { return {}; }
    bool finish(std::string&) override { return true; }

private:
    std::vector<uint8_t> pixels;
};

}  // namespace

std::unique_ptr<VideoSink> makeDrawOnlySink(int32_t width, int32_t height)
{
    return std::make_unique<DrawOnlySink>(width, height);
}
