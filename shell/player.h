#pragma once

struct DisplaySource;

// The whole program behind each backend's entry point: the command line
// (help, version, wrong options with exit 2, --data, --play through the
// launcher model), then the show. say prints help and version where the
// user will see them.
int runPlayer(int argc, const char* const* argv, const DisplaySource& displays, void (*say)(const char* text));
