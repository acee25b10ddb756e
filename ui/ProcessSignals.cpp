#include "ProcessSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <exception>

#include <fcntl.h>
#include <unistd.h>

namespace tav {
namespace {

constexpr std::array<int, 3> TerminationSignals = {SIGTERM, SIGHUP, SIGINT};
// Which of them the editor handles: those it was started with ignored stay ignored.
std::array<bool, 3> handled{};

// The self-pipe: the handler writes one byte, the event loop reads it. Both ends are non-blocking, so
// neither a full pipe in the handler nor an empty one on the loop can stall.
int wakeReadFd = -1;
int wakeWriteFd = -1;

std::function<void()>& BeforeExitHook() {
    static std::function<void()> hook;
    return hook;
}

void RestoreDefaultAction(int signalNumber) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signalNumber, &action, nullptr);
}

extern "C" void OnTerminationSignal(int signalNumber) {
    const int savedErrno = errno;
    for (std::size_t i = 0; i < TerminationSignals.size(); ++i)
        if (handled[i])
            RestoreDefaultAction(TerminationSignals[i]);
    const char byte = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(wakeWriteFd, &byte, 1);
    errno = savedErrno;
}

void EndOnTheEventLoop() {
    char bytes[16];
    while (::read(wakeReadFd, bytes, sizeof bytes) > 0) {
    }
    if (const std::function<void()>& hook = BeforeExitHook()) {
        try {
            hook();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "TavrennaMapEditor: %s\n", error.what());
        } catch (...) {
            std::fputs("TavrennaMapEditor: unknown error before exit\n", stderr);
        }
    }
    // exit(), not quit(): quit() would first ask every window to close, and a window may answer with a
    // question nobody is there to see. exit() also ends a modal dialog's loop that is running.
    QCoreApplication::exit(0);
}

// Runs in the application object's constructor (or at once when it exists already): the notifier needs
// the object's event dispatcher.
void WatchWakePipe() {
    auto* notifier = new QSocketNotifier(wakeReadFd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] { EndOnTheEventLoop(); });
}

} // namespace

void InstallProcessSignalHandling() {
    std::signal(SIGXFSZ, SIG_IGN);
    if (wakeReadFd >= 0)
        return;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // without the pipe the signals keep their default action
    wakeReadFd = fds[0];
    wakeWriteFd = fds[1];
    qAddPreRoutine(WatchWakePipe);

    for (std::size_t i = 0; i < TerminationSignals.size(); ++i) {
        const int s = TerminationSignals[i];
        struct sigaction previous {};
        ::sigaction(s, nullptr, &previous);
        // nohup and background jobs start the editor with these ignored on purpose.
        if (previous.sa_handler == SIG_IGN)
            continue;
        handled[i] = true;
        struct sigaction action {};
        action.sa_handler = OnTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART; // a read or write under way goes on instead of failing with EINTR
        ::sigaction(s, &action, nullptr);
    }
}

void SetBeforeExitHook(std::function<void()> hook) {
    BeforeExitHook() = std::move(hook);
}

} // namespace tav
