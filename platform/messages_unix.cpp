// Messages between programs on Linux: one SOCK_DGRAM Unix socket per
// endpoint in the runtime folder, the registration table a locked file there.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/clock.h"
#include "platform/datagram_unix.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/status_codes.h"

namespace platform {
namespace {

constexpr std::size_t kMaxPacket = 512;
constexpr std::size_t kMaxTable = 0x4000 * 64;

using unix_socket::Fd;

// "" for a name that is no endpoint name.
std::string endpointPath(const std::string& endpoint) {
    return validEndpointName(endpoint) ? paths::runtimeDir() + "/" + endpoint : std::string();
}

std::int32_t sendPacket(const std::string& endpoint, const MessagePacket& packet) {
    const std::string path = endpointPath(endpoint);
    if (path.empty()) return kInvalidParameter;
    return unix_socket::sendDatagram(path, encodeMessagePacket(packet));
}

// Holds the registration table's lock for a whole read-and-append; closing
// the descriptor drops it.
class LockedTable {
public:
    LockedTable()
        : fd_(::open((paths::runtimeDir() + "/messages").c_str(), O_RDWR | O_CREAT | O_CLOEXEC,
                     0600)) {
        locked_ = fd_.get() >= 0 && ::flock(fd_.get(), LOCK_EX) == 0;
    }
    bool ok() const { return locked_; }
    bool read(std::string& text) {
        text.clear();
        char buffer[4096];
        if (::lseek(fd_.get(), 0, SEEK_SET) < 0) return false;
        for (;;) {
            const ssize_t n = ::read(fd_.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) return true;
            text.append(buffer, static_cast<std::size_t>(n));
            if (text.size() > kMaxTable) return false;
        }
    }
    bool append(std::string_view line) {
        if (::lseek(fd_.get(), 0, SEEK_END) < 0) return false;
        return ::write(fd_.get(), line.data(), line.size()) == static_cast<ssize_t>(line.size());
    }

private:
    Fd fd_;
    bool locked_ = false;
};

}  // namespace

std::uint32_t registerMessage(std::string_view name) {
    if (name.empty() || name.find('\n') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos)
        return 0;
    LockedTable table;
    std::string text;
    if (!table.ok() || !table.read(text)) return 0;
    // A line cut short by a writer that died is finished before appending.
    if (!text.empty() && text.back() != '\n' && !table.append("\n")) return 0;
    int count = 0;
    const int index = registeredMessageIndex(text, name, count);
    if (index >= 0) return kFirstRegisteredMessage + static_cast<std::uint32_t>(index);
    if (count > static_cast<int>(kLastRegisteredMessage - kFirstRegisteredMessage)) return 0;
    if (!table.append(std::string(name) + "\n")) return 0;
    return kFirstRegisteredMessage + static_cast<std::uint32_t>(count);
}

bool isWindow(const std::string& endpoint) {
    const std::string path = endpointPath(endpoint);
    return !path.empty() && unix_socket::bound(path);
}

std::int32_t postMessage(const std::string& endpoint, const Message& message) {
    MessagePacket packet;
    packet.message = message;
    return sendPacket(endpoint, packet);
}

std::int32_t sendMessage(const std::string& endpoint, const Message& message,
                         std::uint32_t timeoutMs, std::int64_t& result) {
    if (!validEndpointName(endpoint)) return kInvalidParameter;
    std::unique_ptr<MessageEndpoint> answer;
    if (const std::int32_t rc = MessageEndpoint::create("reply", answer); rc != kOk) return rc;
    MessagePacket packet;
    packet.kind = MessagePacket::Kind::Send;
    packet.message = message;
    packet.replyTo = answer->name();
    if (const std::int32_t rc = sendPacket(endpoint, packet); rc != kOk) return rc;

    const std::uint64_t deadline =
        tickCountMs() + static_cast<std::uint64_t>(scaled(timeoutMs).count());
    for (;;) {
        const std::uint64_t now = tickCountMs();
        if (now >= deadline) return kWaitTimeout;
        pollfd p{answer->fd(), POLLIN, 0};
        const int n =
            ::poll(&p, 1, static_cast<int>(std::min<std::uint64_t>(deadline - now, 1000)));
        if (n < 0 && errno != EINTR) return kIoError;
        char buffer[kMaxPacket];
        const ssize_t got = ::recv(answer->fd(), buffer, sizeof buffer, 0);
        MessagePacket reply;
        if (got > 0 && decodeMessagePacket({buffer, static_cast<std::size_t>(got)}, reply) &&
            reply.kind == MessagePacket::Kind::Reply) {
            result = reply.message.lParam;
            return kOk;
        }
        // A dead receiver cannot answer: stop waiting for it.
        if (n == 0 && !isWindow(endpoint)) return kInvalidHandle;
    }
}

std::int32_t MessageEndpoint::create(std::string_view prefix,
                                     std::unique_ptr<MessageEndpoint>& out) {
    static std::atomic<unsigned> counter{0};
    std::unique_ptr<MessageEndpoint> endpoint(new MessageEndpoint());
    endpoint->name_ =
        std::string(prefix) + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    const std::string path = endpointPath(endpoint->name_);
    if (path.empty()) return kInvalidParameter;
    // A file of that name is a leftover of a dead program that had our pid.
    endpoint->fd_ = unix_socket::bindDatagram(path);
    if (endpoint->fd_ < 0) return errno == EACCES ? kAccessDenied : kIoError;
    endpoint->path_ = path;
    out = std::move(endpoint);
    return kOk;
}

MessageEndpoint::~MessageEndpoint() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
}

bool MessageEndpoint::receive(Received& out) {
    for (;;) {
        char buffer[kMaxPacket];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        MessagePacket packet;
        if (static_cast<std::size_t>(n) > sizeof buffer ||
            !decodeMessagePacket({buffer, static_cast<std::size_t>(n)}, packet) ||
            packet.kind == MessagePacket::Kind::Reply)
            continue;
        out.message = packet.message;
        out.replyTo = packet.replyTo;
        return true;
    }
}

void MessageEndpoint::reply(const Received& received, std::int64_t result) {
    if (received.replyTo.empty()) return;
    MessagePacket packet;
    packet.kind = MessagePacket::Kind::Reply;
    packet.message = received.message;
    packet.message.lParam = result;
    sendPacket(received.replyTo, packet);
}

}  // namespace platform
