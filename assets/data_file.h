#pragma once
#include <cstdio>
#include <string>
#include <vector>

// The show names its files the Windows way ("Data\overlay.p"). A forward
// slash separates folders on every system the demo runs on, Windows included,
// so turning each backslash into one is all the translation there is.
std::string dataFilePath(const char* showName);

// Reads the show's "Data\" files from folder instead of the working
// directory's Data (an empty folder goes back to that).
void setDataFolder(const std::string& folder);

// Opens a show file for binary reading relative to the working directory;
// null when it cannot be opened.
std::FILE* openDataFile(const char* showName);

// The whole of a show file; false when it cannot be opened or read.
bool readDataFile(const char* showName, std::vector<unsigned char>& bytes);

// Whether anything, file or folder, is there under the show's name.
bool dataFileExists(const char* showName);
