#include "tools/capture/stop_signal.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t stopAsked = 0;

extern "C" void askToStop(int signal)
{
    stopAsked = 1;
    std::signal(signal, SIG_DFL);
}

}  // namespace

void catchStopSignals()
{
    // Installed before the window opens, so SDL, which takes these signals
    // only while nobody else has, leaves them to us.
    std::signal(SIGINT, askToStop);
    std::signal(SIGTERM, askToStop);
}

bool stopRequested()
{
    return stopAsked != 0;
}
