// Running a tool to its end on Linux. The tool is started by a helper
// process that is itself orphaned at once: the helper waits for the tool and
// reports how it ended through a pipe, so the caller can stop waiting at any
// time without leaving a child behind. The tool's output goes to an
// anonymous memory file, which a tool that leaves a daemon behind (pppd)
// cannot hold open the way it would hold a pipe.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "platform/child_process.h"
#include "platform/clock.h"
#include "platform/datagram_unix.h"
#include "platform/program_start.h"
#include "platform/status_codes.h"

namespace platform {
namespace {

using unix_socket::Fd;

// What the helper (or the tool, when its exec fails) writes into the pipe.
struct Report {
    int kind;  // kExecFailed or kEnded
    int value;
};
constexpr int kExecFailed = 1;
constexpr int kEnded = 2;
constexpr std::size_t kMaxOutput = 4096;

// Everything below runs between fork and exec: async-signal-safe calls only.
[[noreturn]] void runTool(const char* file, char* const* argv, int input, int output, int report) {
    ::dup2(input, 0);
    ::dup2(output, 1);
    ::dup2(output, 2);
    // Nothing of ours (ports, lock files) reaches the tool or what it leaves running.
    ::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
    ::execv(file, argv);
    const Report failed{kExecFailed, errno};
    [[maybe_unused]] const ssize_t n = ::write(report, &failed, sizeof failed);
    ::_exit(127);
}

[[noreturn]] void runHelper(const char* file, char* const* argv, int input, int output,
                            int report) {
    ::signal(SIGPIPE, SIG_IGN);  // the caller may have stopped listening
    const pid_t tool = ::fork();
    if (tool == 0) runTool(file, argv, input, output, report);
    if (tool < 0) {
        const Report failed{kExecFailed, EAGAIN};
        [[maybe_unused]] const ssize_t n = ::write(report, &failed, sizeof failed);
        ::_exit(1);
    }
    // The helper may wait for hours (pppd kept in the foreground): it keeps
    // nothing of ours open but the pipe.
    if (report > 3) ::close_range(3, static_cast<unsigned>(report) - 1, 0);
    ::close_range(static_cast<unsigned>(report) + 1, ~0U, 0);
    int status = 0;
    while (::waitpid(tool, &status, 0) < 0 && errno == EINTR) {
    }
    const Report ended{kEnded, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    [[maybe_unused]] const ssize_t n = ::write(report, &ended, sizeof ended);
    ::_exit(0);
}

// The first report within the wait; false when none came.
bool awaitReport(int fd, std::uint32_t waitMs, Report& report) {
    const auto deadline = std::chrono::steady_clock::now() + scaled(waitMs);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<long long>(0, left.count())));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        ssize_t n;
        while ((n = ::read(fd, &report, sizeof report)) < 0 && errno == EINTR) {
        }
        return n == static_cast<ssize_t>(sizeof report);
    }
}

std::string readOutput(int fd) {
    std::string text(kMaxOutput, '\0');
    const ssize_t n = ::pread(fd, text.data(), text.size(), 0);
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

}  // namespace

std::int32_t runProcess(std::string_view program, const std::vector<std::string>& args,
                        std::uint32_t waitMs, ProcessResult& result) {
    result = ProcessResult{};
    const std::string file = resolveProgram(program);
    if (file.empty()) return kFileNotFound;
    // Everything the children use is made before fork.
    std::vector<std::string> argvText{std::string(program)};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvText) argv.push_back(a.data());
    argv.push_back(nullptr);

    const Fd input(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    const Fd output(::memfd_create("velka-tool-output", MFD_CLOEXEC));
    int pipeFds[2];
    if (input.get() < 0 || output.get() < 0 || ::pipe2(pipeFds, O_CLOEXEC) != 0) return kIoError;
    const Fd reportRead(pipeFds[0]);
    Fd reportWrite(pipeFds[1]);

    const pid_t child = ::fork();
    if (child < 0) return kIoError;
    if (child == 0) {
        const pid_t helper = ::fork();
        if (helper == 0)
            runHelper(file.c_str(), argv.data(), input.get(), output.get(), reportWrite.get());
        ::_exit(helper < 0 ? 1 : 0);
    }
    // Only the helper writes: its end closing says it is gone.
    ::close(reportWrite.release());
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return kIoError;

    Report report{};
    if (!awaitReport(reportRead.get(), waitMs, report)) {
        result.output = readOutput(output.get());
        return kWaitTimeout;
    }
    if (report.kind == kExecFailed)
        return report.value == ENOENT   ? kFileNotFound
               : report.value == EACCES ? kAccessDenied
                                        : kIoError;
    result.exitCode = report.value;
    result.output = readOutput(output.get());
    return kOk;
}

}  // namespace platform
