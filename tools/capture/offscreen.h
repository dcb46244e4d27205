#pragma once
#include <cstdint>
#include <string>

// The picture the capture draws into: a framebuffer object of the requested
// size, apart from the window, so that a capture may be larger than the
// display and the window may stay small.
class OffscreenTarget {
public:
    enum class Made { Ok, TooLarge, Failed };

    // Needs the GL context current. TooLarge when the driver cannot draw a
    // picture that size; why says so in a few words either way.
    Made make(int32_t width, int32_t height, std::string& why);
    // Where the next drawing goes (the live frame binds the window's
    // framebuffer after each frame).
    void bind() const;
    // The picture, bottom row first as GL gives it: 4 bytes a pixel, blue
    // first, which GL hands over without reordering, or packed RGB.
    void readBgra(uint8_t* pixels) const;
    void readRgb(uint8_t* pixels) const;
    // Deletes the framebuffer while the context is still current.
    void release();

private:
    uint32_t framebuffer = 0;
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
};
