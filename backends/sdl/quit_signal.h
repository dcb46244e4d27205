#pragma once

// SIGINT and SIGTERM (Ctrl-C in a terminal, a session ending) ask the
// program to end: the launcher as if Quit was pressed, the show as if its
// window was closed. Our own handlers, since SDL's take only signals that
// were left at their default and a program started in the background of a
// script inherits SIGINT ignored.
void catchQuitSignals();
bool quitSignalled();
