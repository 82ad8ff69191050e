// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/termination_signals.h"

#include <QObject>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// The pair of sockets between the signal handler and the event loop: the
// handler may only write a byte, the event loop reads it. Process-wide,
// because a signal handler is.
std::array<int, 2> gSignalSockets{-1, -1};

extern "C" void onTerminationSignal(int)
{
    // The interrupted code may be about to read errno; write() must not
    // change it under that code.
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gSignalSockets[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

bool onTerminationSignals(QObject& owner, std::function<void()> handler)
{
    if (gSignalSockets[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalSockets.data()) != 0)
        return false;
    auto* notifier = new QSocketNotifier(gSignalSockets[0], QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, &owner, [handler = std::move(handler)] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(gSignalSockets[0], &byte, 1);
        if (handler)
            handler();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    bool caught = true;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        caught = ::sigaction(signal, &action, nullptr) == 0 && caught;
    return caught;
}

}  // namespace platform
