#pragma once
#include <cstddef>
#include <cstdint>

// What an MP3 file's own bytes say before any decoding: where its audio
// frames lie and how the first one is made. A codec that is handed frames
// only (ACM, the browser's) needs tags and the encoder's tag frame found here.
struct Mp3Layout {
    size_t audioStart = 0;  // the first frame the codec gets (after any tag frame)
    size_t audioEnd = 0;    // before a trailing ID3v1 tag
    uint32_t sampleRate = 0;
    int channels = 0;
    uint32_t bitrate = 0;         // bits a second, of the first frame
    uint32_t frameBytes = 0;      // of the first frame, without its padding byte
    uint32_t samplesPerFrame = 0;
    // Whole frames that follow one another from audioStart, each where the
    // one before ends: what a decoder handed the audio frames alone decodes.
    uint32_t framesFound = 0;
    // A LAME tag with a frame count: the decoder's output is cut to
    // frameCount * samplesPerFrame - encoderDelay - encoderPadding samples.
    bool gapless = false;
    uint32_t frameCount = 0;  // audio frames, the tag frame not counted
    uint32_t encoderDelay = 0;
    uint32_t encoderPadding = 0;
};

// False when the bytes hold no run of MPEG audio Layer III frames.
bool readMp3Layout(const unsigned char* bytes, size_t size, Mp3Layout& layout);
// Where audio frame index (0 is the one at audioStart) begins, for a codec
// handed a run of frames alone; audioEnd from framesFound on.
size_t mp3FrameStart(const unsigned char* bytes, const Mp3Layout& layout, uint32_t index);
