#pragma once

// Whether stderr is a terminal that someone watches, rather than a file or
// a pipe that would keep every redraw of a progress line.
bool stderrIsTerminal();
