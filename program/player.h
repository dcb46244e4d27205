#pragma once
#include <string>

struct DemoContext;
struct DisplaySource;

// The whole program behind each backend's entry point, on the context that
// main made: the command line
// (help, version, wrong options with exit 2, --data, --play through the
// launcher model), then the show. say prints help and version where the
// user will see them. installedData is where an installed program keeps its
// Data folder, used when --data names none and the working directory has none.
int runPlayer(int argc, const char* const* argv, DemoContext& context, const DisplaySource& displays,
              void (*say)(const char* text), const std::string& installedData);
