// Waitable children on Linux. posix_spawn reports a failed exec as its own
// result, and forks without copying our threads' state, which matters in a
// program whose other threads hold locks. The wait watches a pidfd (an older
// kernel without one is polled) together with an eventfd that a stop request
// sets, so a thread waiting for a child that may run for hours can still be
// ended.
#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/datagram_unix.h"
#include "platform/program_start.h"
#include "platform/status_codes.h"
#include "platform/waitable_process.h"

extern char** environ;

namespace platform {
namespace {

using unix_socket::Fd;

int openPidFd(int pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

}  // namespace

WaitableProcess::~WaitableProcess() {
    // A child that already ended is reaped; one that runs on is not waited for.
    if (pid_ > 0 && !ended_) ::waitpid(pid_, nullptr, WNOHANG);
    if (pidFd_ >= 0) ::close(pidFd_);
}

std::int32_t WaitableProcess::start(const std::vector<std::string>& argv) {
    if (pid_ > 0) return kInvalidParameter;
    if (argv.empty() || argv[0].empty()) return kFileNotFound;
    const std::string file =
        argv[0].find('/') != std::string::npos ? argv[0] : resolveProgram(argv[0]);
    if (file.empty()) return kFileNotFound;

    std::vector<std::string> text = argv;
    std::vector<char*> args;
    for (std::string& a : text) args.push_back(a.data());
    args.push_back(nullptr);

    posix_spawnattr_t attr;
    if (::posix_spawnattr_init(&attr) != 0) return kFileNotFound;
    // The child starts with the signal state a program expects, not with the
    // blocked or ignored signals of ours.
    sigset_t none, defaults;
    ::sigemptyset(&none);
    ::sigemptyset(&defaults);
    ::sigaddset(&defaults, SIGPIPE);
    ::sigaddset(&defaults, SIGCHLD);
    ::posix_spawnattr_setsigmask(&attr, &none);
    ::posix_spawnattr_setsigdefault(&attr, &defaults);
    ::posix_spawnattr_setflags(&attr,
                               POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    // None of our open files (a lock file held open would keep our instance
    // lock after we ended) reaches the program.
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, file.c_str(), &actions, &attr, args.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attr);
    if (rc != 0) return kFileNotFound;
    pid_ = pid;
    pidFd_ = openPidFd(pid);
    return kOk;
}

bool WaitableProcess::wait(std::stop_token stop) {
    if (pid_ <= 0) return false;
    if (ended_) return true;
    const Fd wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    const std::stop_callback onStop(stop, [&wake] {
        if (wake.get() >= 0) ::eventfd_write(wake.get(), 1);
    });
    pollfd fds[2] = {{wake.get(), POLLIN, 0}, {pidFd_, POLLIN, 0}};
    // Without a pidfd (or an eventfd) the child's end is looked for now and then.
    const bool watched = pidFd_ >= 0 && wake.get() >= 0;
    while (!stop.stop_requested()) {
        const pid_t done = ::waitpid(pid_, nullptr, WNOHANG);
        if (done == pid_ || (done < 0 && errno == ECHILD)) {
            ended_ = true;
            return true;
        }
        ::poll(fds, pidFd_ >= 0 ? 2 : 1, watched ? -1 : 100);
    }
    return false;
}

}  // namespace platform
