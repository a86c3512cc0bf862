// SIGTERM and SIGINT in front of SDL's own handlers (see termination_signals.h).
#include <signal.h>

#include <csignal>

#include "platform/sdl/termination_signals.h"

namespace tolarka::platform::sdl {

namespace {

volatile std::sig_atomic_t terminationRequested = 0;
constexpr int kTerminationSignals[] = {SIGINT, SIGTERM};
struct sigaction sdlHandlers[2];

void OnTermination(int sig) {
    terminationRequested = 1;
    const struct sigaction& sdl = sdlHandlers[sig == SIGINT ? 0 : 1];
    if (sdl.sa_handler != SIG_DFL && sdl.sa_handler != SIG_IGN) sdl.sa_handler(sig);
}

}  // namespace

void ChainTerminationHandlers() {
    terminationRequested = 0;
    for (int i = 0; i < 2; ++i) {
        struct sigaction current {};
        sigaction(kTerminationSignals[i], nullptr, &current);
        // Only where SDL listens: an ignored signal stays ignored (nohup), a default one kills.
        if ((current.sa_flags & SA_SIGINFO) != 0 || current.sa_handler == SIG_DFL ||
            current.sa_handler == SIG_IGN || current.sa_handler == OnTermination)
            continue;
        sdlHandlers[i] = current;
        struct sigaction ours = current;
        ours.sa_handler = OnTermination;
        sigaction(kTerminationSignals[i], &ours, nullptr);
    }
}

void UnchainTerminationHandlers() {
    for (int i = 0; i < 2; ++i) {
        struct sigaction current {};
        sigaction(kTerminationSignals[i], nullptr, &current);
        if ((current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == OnTermination)
            sigaction(kTerminationSignals[i], &sdlHandlers[i], nullptr);
    }
}

bool TerminationRequested() { return terminationRequested != 0; }

}  // namespace tolarka::platform::sdl
