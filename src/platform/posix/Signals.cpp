#include "platform/Signals.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

int SignalPipe[2] = {-1, -1};

// Only what is safe in a signal handler: one write into the non-blocking pipe. A full pipe loses
// the byte, but the ones already in it still wake the event loop.
void OnTerminate(int) {
    char byte = 1;
    [[maybe_unused]] ssize_t written = write(SignalPipe[1], &byte, 1);
}

} // namespace

int CatchTerminationRequests() {
    if (SignalPipe[0] >= 0) return SignalPipe[0];
    if (pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        SignalPipe[0] = SignalPipe[1] = -1;
        return -1;
    }
    struct sigaction action = {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    return SignalPipe[0];
}

void DrainTerminationRequests() {
    if (SignalPipe[0] < 0) return;
    char bytes[64];
    while (read(SignalPipe[0], bytes, sizeof bytes) > 0) {
    }
}

} // namespace platform
