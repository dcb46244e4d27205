#pragma once
#include <string>

// Writes the seven PCX images into dataDir. False after a line on stderr.
bool writeDefaultImages(const std::string& dataDir);
// Synthesises the default track and writes dataDir/music.mp3. False after a line on stderr.
bool writeDefaultMusic(const std::string& dataDir);
