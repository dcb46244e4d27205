#pragma once

struct DemoContext;

// Draws one frame of the show from the context's show time.
class FrameComposer {
public:
    FrameComposer();
    ~FrameComposer();
    void draw();

private:
    DemoContext* context;
};
