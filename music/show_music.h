#pragma once

class SoundLayer;
struct MusicTrack;

// The show's music, named as the show names its files.
constexpr const char* showMusicFile = "Data\\music.mp3";

// Starts the sound output of the layer the music track plays through and
// loads "Data\music.mp3" into the track. False, after one line on stderr
// naming the file or the device and the reason, when either fails.
bool loadShowMusic(MusicTrack& music);

// Starts decoding the show's music on a thread of its own, so that it is
// ready when the show loads.
void prefetchShowMusic(SoundLayer& sound);
