#include "tools/capture/frame_pipe.h"

FramePipe::FramePipe(size_t frameBytes, size_t depth)
{
    for (size_t i = 0; i < depth; ++i) {
        buffers.emplace_back(new uint8_t[frameBytes]);
        empty.push_back(buffers.back().get());
    }
}

uint8_t* FramePipe::acquire()
{
    std::unique_lock<std::mutex> held(lock);
    changed.wait(held, [this] { return closed || !empty.empty(); });
    if (closed)
        return nullptr;
    uint8_t* frame = empty.front();
    empty.pop_front();
    return frame;
}

void FramePipe::submit(uint8_t* frame)
{
    {
        std::lock_guard<std::mutex> held(lock);
        full.push_back(frame);
    }
    changed.notify_all();
}

void FramePipe::finish()
{
    {
        std::lock_guard<std::mutex> held(lock);
        finished = true;
    }
    changed.notify_all();
}

uint8_t* FramePipe::next()
{
    std::unique_lock<std::mutex> held(lock);
    changed.wait(held, [this] { return closed || finished || !full.empty(); });
    if (closed || full.empty())
        return nullptr;
    uint8_t* frame = full.front();
    full.pop_front();
    return frame;
}

void FramePipe::release(uint8_t* frame)
{
    {
        std::lock_guard<std::mutex> held(lock);
        empty.push_back(frame);
    }
    changed.notify_all();
}

void FramePipe::close()
{
    {
        std::lock_guard<std::mutex> held(lock);
        closed = true;
    }
    changed.notify_all();
}

size_t pipeDepthFor(size_t frameBytes)
{
    const size_t budget = size_t{256} << 20;
    const size_t fit = frameBytes == 0 ? 8 : budget / frameBytes;
    return fit < 2 ? 2 : fit > 8 ? 8 : fit;
}
