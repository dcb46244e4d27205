#pragma once
#include <cstdint>
#include <vector>

#include "music/sound/sound.h"

// The browser decodes in the background and the sound layer loads at once:
// the web main hands the show's MP3 to the browser while the launcher is
// open, and launches once nothing is left decoding, so that the load finds
// the track decoded. A file that cannot be read or is no MP3 is not handed
// over; its load then says why, as natively.
//
// A long track at the show's rate goes as two decodes, its first headMs
// milliseconds (0: the show's 8 s) and the rest. Its load takes the start
// alone, which plays at once; the rest comes after it, joined sample for
// sample as one decode of the whole would give it.
void webSoundDecodeAhead(const char* fileName, uint32_t headMs = 0);
// True while a file handed over is still being decoded (for a split one,
// its start).
bool webSoundDecoding();

// After a load that took a track's start alone: true until all of the rest
// has been taken.
bool webSoundRestPending();
enum { restNone, restDecoding, restArrived, restFailed };
// The next at most maxFrames frames of the rest, interleaved stereo:
// restArrived with samples filled, restDecoding while the browser works,
// restFailed once when the rest did not decode, restNone with no rest to come.
int webSoundTakeRest(std::vector<float>& samples, uint32_t maxFrames);
// Appends the rest to channel as it arrives, a piece every few
// milliseconds, from the browser's timers; a rest that does not decode is
// told in one line, and the music ends where its start does.
void webSoundFollowRest(SoundLayer& sound, SoundHandle channel);
