#include "platform/datagram_unix.h"

#include <errno.h>

#include <cstddef>
#include <cstring>

#include "platform/status_codes.h"

namespace platform::unix_socket {
namespace {

bool address(const std::string& path, sockaddr_un& addr, socklen_t& length) {
    if (path.empty() || path.size() >= sizeof(addr.sun_path)) return false;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size() + 1);
    return true;
}

int newSocket() {
    return ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

}  // namespace

int bindDatagram(const std::string& path) {
    sockaddr_un addr;
    socklen_t length = 0;
    if (!address(path, addr, length)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    Fd fd(newSocket());
    if (fd.get() < 0) return -1;
    ::unlink(path.c_str());
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&addr), length) != 0) return -1;
    return fd.release();
}

// A full queue belongs to a live receiver that is busy: wait a little for
// room rather than lose the datagram, but never hang the sender on it.
std::int32_t sendDatagram(const std::string& path, std::string_view bytes) {
    sockaddr_un addr;
    socklen_t length = 0;
    if (!address(path, addr, length)) return kInvalidParameter;
    Fd fd(newSocket());
    if (fd.get() < 0) return kIoError;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const ssize_t n = ::sendto(fd.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                   reinterpret_cast<const sockaddr*>(&addr), length);
        if (n == static_cast<ssize_t>(bytes.size())) return kOk;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == ENOBUFS)) {
            ::usleep(10000);
            continue;
        }
        return (errno == ECONNREFUSED || errno == ENOENT || errno == ENOTSOCK) ? kInvalidHandle
                                                                               : kIoError;
    }
    return kWaitTimeout;
}

bool bound(const std::string& path) {
    sockaddr_un addr;
    socklen_t length = 0;
    if (!address(path, addr, length)) return false;
    Fd fd(newSocket());
    return fd.get() >= 0 &&
           ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&addr), length) == 0;
}

}  // namespace platform::unix_socket
