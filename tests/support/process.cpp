#include "tests/support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

#include "tests/support/temp_home.h"

extern char** environ;

namespace testsupport {
namespace {

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// Starts binDir()/program (or a program by its absolute path) with `in`,
// `out` and `err` as its standard streams (-1: /dev/null for input, the
// test's own for the others).
pid_t spawn(const std::string& program, const std::vector<std::string>& args, int in, int out,
            int err) {
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    if (in >= 0)
        posix_spawn_file_actions_adddup2(&fa, in, 0);
    else
        posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
    if (out >= 0) posix_spawn_file_actions_adddup2(&fa, out, 1);
    if (err >= 0) posix_spawn_file_actions_adddup2(&fa, err, 2);
    const std::string path = program.starts_with('/') ? program : binDir() + "/" + program;
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), &fa, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

int reap(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

RunResult runProgram(const std::string& program, const std::vector<std::string>& args) {
    RunResult result;
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return result;
    if (::pipe2(err, O_CLOEXEC) != 0) {
        closeFd(out[0]);
        closeFd(out[1]);
        return result;
    }
    const pid_t pid = spawn(program, args, -1, out[1], err[1]);
    closeFd(out[1]);
    closeFd(err[1]);
    // Both streams are drained together, so a child that fills one pipe
    // while the test waits on the other cannot stall.
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* texts[2] = {&result.out, &result.err};
    while (pid > 0 && (fds[0].fd >= 0 || fds[1].fd >= 0)) {
        if (::poll(fds, 2, -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buf[1024];
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0)
                texts[i]->append(buf, static_cast<std::size_t>(n));
            else
                closeFd(fds[i].fd);
        }
    }
    closeFd(out[0]);
    closeFd(err[0]);
    if (pid > 0) result.code = reap(pid);
    return result;
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) stop(SIGKILL);
    closeFd(input_);
    closeFd(output_);
}

bool ChildProcess::start(const std::string& program, const std::vector<std::string>& args) {
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) return false;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        closeFd(in[0]);
        closeFd(in[1]);
        return false;
    }
    pid_ = spawn(program, args, in[0], out[1], -1);
    closeFd(in[0]);
    closeFd(out[1]);
    input_ = in[1];
    output_ = out[0];
    return pid_ > 0;
}

const std::string& ChildProcess::readLines(std::size_t count, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n')) < count &&
           output_ >= 0 && std::chrono::steady_clock::now() < end) {
        pollfd p{output_, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buf[256];
        const ssize_t n = ::read(output_, buf, sizeof buf);
        if (n <= 0) break;
        text_.append(buf, static_cast<std::size_t>(n));
    }
    return text_;
}

int ChildProcess::stop(int signal) {
    if (pid_ > 0) ::kill(pid_, signal);
    return wait();
}

int ChildProcess::wait() {
    if (pid_ <= 0) return -1;
    closeFd(input_);
    // Output stays open until the child is gone: closing it first would end
    // a child that still writes with SIGPIPE instead of its own exit code.
    const int code = reap(pid_);
    pid_ = -1;
    closeFd(output_);
    return code;
}

}  // namespace testsupport
