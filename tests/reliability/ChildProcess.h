#pragma once
// Runs a program as a child with a deadline and reports how it ended and its peak memory, which
// QProcess does not tell: a hostile file must neither hang the tool nor make it read the file whole.

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tav::reliability {

struct ChildResult {
    bool Started = false;
    bool TimedOut = false; // killed at the deadline
    bool Signalled = false; // ended by a signal (a crash or a sanitizer abort)
    int ExitCode = -1;
    long MaxRssKiB = 0;
    std::string Out;
    std::string Err;
};

namespace detail {
inline std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}
} // namespace detail

// Standard output and error go to temporary files, so a chatty child never blocks on a full pipe.
inline ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                            std::chrono::milliseconds deadline = std::chrono::seconds(30)) {
    ChildResult result;
    char outName[] = "/tmp/tav-child-out-XXXXXX";
    char errName[] = "/tmp/tav-child-err-XXXXXX";
    const int outFd = ::mkstemp(outName);
    const int errFd = ::mkstemp(errName);
    ::unlink(outName);
    ::unlink(errName);

    std::vector<std::string> argvStrings{program};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : argvStrings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, errFd, 2);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ::close(outFd);
        ::close(errFd);
        return result;
    }
    result.Started = true;

    const auto until = std::chrono::steady_clock::now() + deadline;
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (std::chrono::steady_clock::now() >= until) {
            result.TimedOut = true;
            ::kill(pid, SIGKILL);
            ::wait4(pid, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.MaxRssKiB = usage.ru_maxrss;
    if (!result.TimedOut) {
        result.Signalled = WIFSIGNALED(status);
        result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    ::lseek(outFd, 0, SEEK_SET);
    ::lseek(errFd, 0, SEEK_SET);
    result.Out = detail::ReadAll(outFd);
    result.Err = detail::ReadAll(errFd);
    ::close(outFd);
    ::close(errFd);
    return result;
}

} // namespace tav::reliability
