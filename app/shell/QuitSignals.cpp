#include "shell/QuitSignals.h"

#include <QCoreApplication>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Written only by the signal handler; a socket write is async-signal-safe.
volatile sig_atomic_t writeEnd = -1;

void onQuitSignal(int)
{
    const char byte = 1;
    if (writeEnd >= 0)
        [[maybe_unused]] const ssize_t n = ::write(writeEnd, &byte, 1);
}
} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0)
        return;
    writeEnd = fds[0];
    notifier = std::make_unique<QSocketNotifier>(fds[1], QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(fds[1], buffer, sizeof buffer) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

QuitSignals::~QuitSignals()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
    writeEnd = -1;
    notifier.reset();
    for (const int fd : fds)
        if (fd >= 0)
            ::close(fd);
}
