#include "tests/support/sim_port.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sstream>

#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/serial_port.h"

namespace testsupport {

void setTimeScale(double scale) {
    setenv("VELKA_TA_TIME_SCALE", std::to_string(scale).c_str(), 1);
    platform::reloadTimeScale();
}

std::unique_ptr<sim::PtyAdapter> startSim(const sim::Scenario& scenario, const std::string& comName,
                                          const std::string& transcriptPath) {
    sim::PtyAdapter::Options options;
    options.comName = comName;
    options.transcriptPath = transcriptPath;
    std::unique_ptr<sim::PtyAdapter> dev;
    if (sim::PtyAdapter::start(scenario, options, dev) != 0) return nullptr;
    return dev;
}

std::string mappedCom(const std::string& devicePath) {
    platform::RegKey key;
    std::string com;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, sim::kSerialCommKey, key) == 0)
        key.readString(devicePath, com);
    return com;
}

std::vector<std::string> receivedLines(const std::string& transcriptPath,
                                       const std::string& comName) {
    std::vector<std::string> lines;
    std::istringstream in(readFile(transcriptPath));
    const std::string prefix = comName + " < ";
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(prefix)) lines.push_back(line.substr(prefix.size()));
    return lines;
}

void mapAbsentPorts(const TempHome& home, int count) {
    for (int n = 1; n <= count; ++n)
        platform::mapPortName("COM" + std::to_string(n), home.file("none-" + std::to_string(n)));
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

RawPeer::~RawPeer() {
    vanish();
}

void RawPeer::vanish() {
    server_ = {};  // stops and joins the device thread before its descriptors go
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

bool RawPeer::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno != EAGAIN && errno != EINTR) return false;
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string RawPeer::readUntil(std::string_view suffix, int timeoutMs) {
    std::string got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!got.ends_with(suffix)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
        char buf[256];
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
}

void RawPeer::serve(std::function<std::string(const std::string& line)> answer) {
    server_ = std::jthread([this, answer = std::move(answer)](std::stop_token stop) {
        std::string line;
        while (!stop.stop_requested()) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            char buf[256];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0) continue;
            send(std::string_view(buf, static_cast<std::size_t>(n)));
            for (ssize_t i = 0; i < n; ++i) {
                if (buf[i] == '\r') {
                    send(answer(line));
                    line.clear();
                } else if (buf[i] != '\n') {
                    line.push_back(buf[i]);
                }
            }
        }
    });
}

PortHolder::PortHolder(const std::string& portName) {
    // The holder prints its open result as one line once it holds the port,
    // and keeps it until its input ends.
    if (child_.start("test_port_holder", {portName})) {
        const std::string& line = child_.readLines(1);
        if (!line.empty()) status_ = std::atoi(line.c_str());
    }
}

}  // namespace testsupport
