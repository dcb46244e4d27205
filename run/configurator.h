#pragma once

struct DemoContext;

// Loads what the show needs once the window is open. One variant per show.
class DemoConfigurator {
public:
    virtual ~DemoConfigurator() = default;
    virtual bool load() = 0;
};

class VelloranConfigurator : public DemoConfigurator {
public:
    explicit VelloranConfigurator(DemoContext* context) : context(context) {}
    // Sound, music, shaders and images, in that order. False when the sound
    // or the music cannot be set up; missing images are not a failure.
    bool load() override;

private:
    DemoContext* context;
};
