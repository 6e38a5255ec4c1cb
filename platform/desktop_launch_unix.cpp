// The launcher runs as the grandchild of a short-lived child, so nobody has
// to reap it; the grandchild's own parent waits for it and reports its exit
// status through a pipe. This program waits for that report a few seconds at
// most, so a launcher that keeps running never holds the window.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "platform/clock.h"
#include "platform/desktop_launch.h"
#include "platform/program_start.h"
#include "platform/status_codes.h"

namespace platform {
namespace {

constexpr std::uint32_t kLauncherWaitMs = 5000;

// The reporter's side, after the first fork: only async-signal-safe calls.
[[noreturn]] void runAndReport(const std::vector<char*>& argv, int report, int devNull) {
    ::setsid();
    if (::fork() != 0) ::_exit(0);  // the reporter goes on as an orphan nobody waits for
    const pid_t launcher = ::fork();
    if (launcher == 0) {
        ::dup2(devNull, STDIN_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 1 << 8;  // "failed" when the launcher could not even be forked
    if (launcher > 0)
        while (::waitpid(launcher, &status, 0) < 0 && errno == EINTR) {
        }
    [[maybe_unused]] const ssize_t n = ::write(report, &status, sizeof status);
    ::_exit(0);
}

// kOk, kIoError, or kOk when no report came in time (the launcher still runs).
std::int32_t awaitReport(int report) {
    const std::uint64_t deadline =
        tickCountMs() + static_cast<std::uint64_t>(scaled(kLauncherWaitMs).count());
    int status = 0;
    std::size_t got = 0;
    auto* bytes = reinterpret_cast<char*>(&status);
    while (got < sizeof status) {
        const std::uint64_t now = tickCountMs();
        if (now >= deadline) return kOk;
        pollfd p{report, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(deadline - now));
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return kIoError;
        if (ready == 0) return kOk;
        const ssize_t n = ::read(report, bytes + got, sizeof status - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return kIoError;  // the reporter died without a word
        got += static_cast<std::size_t>(n);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? kOk : kIoError;
}

}  // namespace

std::int32_t launchDesktopEntry(const std::string& path) {
    std::vector<std::string> args;
    if (std::string gio = resolveProgram("gio"); !gio.empty())
        args = {gio, "launch", path};
    else if (std::string xdg = resolveProgram("xdg-open"); !xdg.empty())
        args = {xdg, path};
    else
        return kFileNotFound;
    // Everything the children use is made before fork.
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (devNull < 0) return kIoError;
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        ::close(devNull);
        return kIoError;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        runAndReport(argv, report[1], devNull);
    }
    ::close(report[1]);
    ::close(devNull);
    std::int32_t result = kIoError;
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        result = awaitReport(report[0]);
    }
    ::close(report[0]);
    return result;
}

}  // namespace platform
