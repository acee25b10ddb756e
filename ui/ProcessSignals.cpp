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

// The self-pipe: the handler writes one byte, the event loop reads it. Both ends are non-blocking, so
// neither a full pipe in the handler nor an empty one on the loop can stall.
int wakeReadFd = -1;
int wakeWriteFd = -1;

// Whether RunEventLoop is running, and whether a signal has already asked it to end.
volatile std::sig_atomic_t eventLoopRunning = 0;
volatile std::sig_atomic_t endRequested = 0;

std::function<void()>& BeforeExitHook() {
    static std::function<void()> hook;
    return hook;
}

extern "C" void OnTerminationSignal(int signalNumber) {
    // Outside the event loop a modal box's own loop would take the wake-up for its Cancel, and the code after
    // the box would go on as if the user had answered; a recovery copy declined that way is lost.
    if (!eventLoopRunning || endRequested)
        ::_exit(0);
    endRequested = 1;
    const int savedErrno = errno;
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

    for (const int s : TerminationSignals) {
        struct sigaction previous {};
        ::sigaction(s, nullptr, &previous);
        // nohup and background jobs start the editor with these ignored on purpose.
        if (previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = OnTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART; // a read or write under way goes on instead of failing with EINTR
        ::sigaction(s, &action, nullptr);
    }
}

int RunEventLoop() {
    endRequested = 0;
    eventLoopRunning = 1;
    const int status = QCoreApplication::exec();
    eventLoopRunning = 0;
    return status;
}

void SetBeforeExitHook(std::function<void()> hook) {
    BeforeExitHook() = std::move(hook);
}

} // namespace tav
