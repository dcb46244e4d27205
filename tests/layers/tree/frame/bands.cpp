#include "frame/bands.h"
#include "gl/gl.h"
// #include "run/run.h"
/* A comment that names
#include "scenes/logo.h"
 */
static const char* shader = R"glsl(
#include "scenes/logo.h"
)glsl";
static const int million = 1'000'000;
static const char quote = '"';
