#include "tests/serial/serial_test_util.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/serial_port.h"
#include "tests/support/temp_home.h"

extern char** environ;

namespace serialtest {

void setTimeScale(double scale) {
    setenv("VELKA_TA_TIME_SCALE", std::to_string(scale).c_str(), 1);
    platform::reloadTimeScale();
}

std::unique_ptr<sim::PtyAdapter> startSim(const sim::Scenario& scenario,
                                          const std::string& comName) {
    std::unique_ptr<sim::PtyAdapter> dev;
    sim::PtyAdapter::Options opt;
    opt.comName = comName;
    if (sim::PtyAdapter::start(scenario, opt, dev) != 0) return nullptr;
    return dev;
}

RawPeer::RawPeer(const std::string& comName) {
    char name[128] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    path_ = name;
    termios t{};
    ::tcgetattr(master_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(master_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (!comName.empty()) platform::mapPortName(comName, path_);
}

RawPeer::~RawPeer() { vanish(); }

void RawPeer::vanish() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

bool RawPeer::send(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) {
                pollfd p{master_, POLLOUT, 0};
                ::poll(&p, 1, 100);
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string RawPeer::readUntil(std::string_view suffix, int timeoutMs) {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < suffix.size() || got.compare(got.size() - suffix.size(), suffix.size(),
                                                     suffix) != 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char buf[256];
        ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
}

PortHolder::PortHolder(const std::string& portName) {
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) return;
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return;
    }
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&fa, fromChild[1], 1);
    const std::string prog = testsupport::binDir() + "/serial_port_holder";
    std::vector<char*> argv = {const_cast<char*>(prog.c_str()),
                               const_cast<char*>(portName.c_str()), nullptr};
    if (posix_spawn(&pid_, prog.c_str(), &fa, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&fa);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    toChild_ = toChild[1];
    // The child reports its open result as one line once it holds the port.
    std::string line;
    char c;
    pollfd p{fromChild[0], POLLIN, 0};
    while (pid_ > 0 && ::poll(&p, 1, 20000) > 0 && ::read(fromChild[0], &c, 1) == 1 && c != '\n')
        line += c;
    ::close(fromChild[0]);
    if (!line.empty()) status_ = std::atoi(line.c_str());
}

PortHolder::~PortHolder() {
    if (toChild_ >= 0) ::close(toChild_);  // the child ends on end of input
    if (pid_ > 0) {
        int st = 0;
        ::waitpid(pid_, &st, 0);
    }
}

int runProgram(const std::string& program, const std::vector<std::string>& args,
               std::string& output) {
    output.clear();
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, out[1], 1);
    const std::string prog = testsupport::binDir() + "/" + program;
    std::vector<char*> argv = {const_cast<char*>(prog.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, prog.c_str(), &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        return -1;
    }
    char buf[512];
    ssize_t n;
    while ((n = ::read(out[0], buf, sizeof buf)) > 0) output.append(buf, static_cast<std::size_t>(n));
    ::close(out[0]);
    int st = 0;
    ::waitpid(pid, &st, 0);
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

bool waitForFileText(const std::string& path, std::string_view needle, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (testsupport::readFile(path).find(needle) != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace serialtest
