#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

// Frames handed from the renderer to the encoder's thread through a fixed set
// of buffers: the renderer reads a picture straight into a free buffer, and
// waits only when the encoder is that many frames behind.
class FramePipe {
public:
    FramePipe(size_t frameBytes, size_t depth);
    FramePipe(const FramePipe&) = delete;
    FramePipe& operator=(const FramePipe&) = delete;

    // Renderer: a free buffer, waiting while every buffer is full; null once
    // the encoder has closed the pipe.
    uint8_t* acquire();
    // Renderer: the buffer from acquire, filled; frames keep their order.
    void submit(uint8_t* frame);
    // Renderer: no more frames will come.
    void finish();

    // Encoder: the oldest filled frame, waiting for one; null when the
    // renderer has finished and every frame was taken, or after close.
    uint8_t* next();
    // Encoder: done with the frame from next; its buffer is free again.
    void release(uint8_t* frame);
    // Encoder: gives up; both sides stop waiting.
    void close();

private:
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::unique_ptr<uint8_t[]>> buffers;
    std::deque<uint8_t*> empty;
    std::deque<uint8_t*> full;
    bool finished = false;
    bool closed = false;
};

// How many frames of frameBytes the pipe holds: as many as fit in about
// 256 MiB, from 2 (one drawn while one is encoded) to 8.
size_t pipeDepthFor(size_t frameBytes);
