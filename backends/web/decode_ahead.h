#pragma once

// The browser decodes in the background and the sound layer loads at once:
// the web main hands the show's MP3 to the browser while the launcher is
// open, and launches once nothing is left decoding, so that the load finds
// the track decoded. A file that cannot be read or is no MP3 is not handed
// over; its load then says why, as natively.
void webSoundDecodeAhead(const char* fileName);
// True while a file handed over is still being decoded.
bool webSoundDecoding();
