#include "tests/sim/sim_test_util.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "device/device_reply.h"
#include "profile/listing_parser.h"

namespace simtest {
namespace {

speed_t speedCode(std::uint32_t bps) {
    const std::pair<std::uint32_t, speed_t> codes[] = {
        {4800, B4800},   {9600, B9600},     {19200, B19200},  {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400}};
    for (const auto& [bits, code] : codes)
        if (bits == bps) return code;
    return B0;
}

}  // namespace

HostPort::~HostPort() {
    close();
}

bool HostPort::open(const std::string& path, std::uint32_t speed) {
    close();
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
    return setSpeed(speed);
}

void HostPort::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool HostPort::setSpeed(std::uint32_t speed) {
    termios t{};
    if (tcgetattr(fd_, &t) != 0) return false;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&t, speedCode(speed));
    cfsetospeed(&t, speedCode(speed));
    return tcsetattr(fd_, TCSANOW, &t) == 0;
}

bool HostPort::write(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 1000);
        } else {
            return false;
        }
    }
    return true;
}

namespace {
template <class Done>
std::string readWhile(int fd, int timeoutMs, Done done) {
    std::string out;
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done(out)) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        end - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) break;
        pollfd p{fd, POLLIN, 0};
        int r = ::poll(&p, 1, static_cast<int>(left));
        if (r <= 0) continue;
        if (!(p.revents & POLLIN)) break;  // hang-up or error
        char buf[1024];
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && errno == EAGAIN) continue;
            break;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
}
}  // namespace

std::string HostPort::readUntil(std::string_view suffix, int timeoutMs, bool anywhere) {
    return readWhile(fd_, timeoutMs, [&](const std::string& s) {
        return anywhere ? s.find(suffix) != std::string::npos : s.ends_with(suffix);
    });
}

std::string HostPort::readFor(int ms) {
    return readWhile(fd_, ms, [](const std::string&) { return false; });
}

std::string HostPort::readBytes(std::size_t n, int timeoutMs) {
    return readWhile(fd_, timeoutMs, [n](const std::string& s) { return s.size() >= n; });
}

std::string HostPort::command(std::string_view cmd, int timeoutMs) {
    if (!write(cmd)) return {};
    return readWhile(fd_, timeoutMs, [](const std::string& s) { return endsInResultCode(s); });
}

bool HostPort::hungUp(int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        pollfd p{fd_, POLLIN, 0};
        int r = ::poll(&p, 1, 100);
        if (r > 0) {
            if (p.revents & (POLLHUP | POLLERR)) return true;
            char buf[256];
            ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n < 0 && errno != EAGAIN) return true;
            if (n == 0) return true;
        }
    }
    return false;
}

bool endsInResultCode(std::string_view text) {
    for (std::string_view code :
         {"\r\nOK\r\n", "\r\nERROR\r\n", "\r\nNO CARRIER\r\n", "\r\nBUSY\r\n"}) {
        if (text.ends_with(code)) return true;
    }
    return false;
}

bool listedValue(std::string_view text, std::string_view param, std::string& value) {
    std::string_view found;
    if (!profile::FindValue(text, param, found)) return false;
    value.assign(found);
    return true;
}

std::string replyLine(std::string_view answer, std::string_view command) {
    device::CommandReply reply;
    return device::parseCommandReply(answer, command, reply) == 0 ? reply.replyLine : "";
}

}  // namespace simtest
