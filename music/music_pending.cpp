#include "music/music_track.h"
#include "music/show_music.h"

// Placeholder until the sound layer lands; that work replaces this file.
int32_t MusicTrack::load(const char*) { return -1; }
void MusicTrack::start(DemoContext&) {}
void MusicTrack::captureSpectrum() {}
MusicTrack::~MusicTrack() = default;
bool loadShowMusic(DemoContext&) { return true; }
