#include "backends/sdl/quit_signal.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t signalled = 0;

void noteSignal(int)
{
    signalled = 1;
}

}  // namespace

void catchQuitSignals()
{
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool quitSignalled()
{
    return signalled != 0;
}
