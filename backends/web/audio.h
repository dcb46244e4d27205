#pragma once
#include <cstdint>

// The browser's decoder and Web Audio output (backends/web/audio.js), as the
// web sound backend calls them. Names are made of the files' bytes.
extern "C" {

// Starts decoding MP3 frames (a copy of length bytes) at rate, the file's own.
void duskAudioDecodeStart(const char* name, const unsigned char* bytes, uint32_t length, uint32_t rate);
// 0: never started, 1: decoding, 2: decoded, 3: the browser could not decode it.
int duskAudioDecodeState(const char* name);
uint32_t duskAudioDecodedFrames(const char* name);
uint32_t duskAudioDecodedRate(const char* name);
// Decoded frames first .. first + count - 1 as interleaved stereo float.
void duskAudioDecodedCopy(const char* name, uint32_t first, uint32_t count, float* out);
// Lets the decoded PCM go; the name counts as never started again.
void duskAudioDecodeForget(const char* name);

// An audio context at 44100 Hz, suspended; 0 when the browser gives none.
int duskAudioOpen();
// Resumes the context and queues the mix ahead of its clock, or suspends it.
void duskAudioRun(int run);
void duskAudioDropQueued();
void duskAudioClose();
// The output frame the speaker plays now.
double duskAudioHeardFrame();
int duskAudioLost();

// Defined by the backend, called by the queue: mixes the next count frames
// and returns them, interleaved stereo, valid until the next call.
float* webSoundMixBlock(uint32_t count);
}
