#pragma once
// Unix datagram sockets named by a file path, for the services that talk
// between the programs of a session (messages, device changes). Linux only:
// included by *_unix.cpp files alone.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::unix_socket {

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// A non-blocking datagram socket bound to `path` (an old file there is
// replaced); -1 with errno set on failure.
int bindDatagram(const std::string& path);
// 0; kInvalidHandle when nobody is bound at `path` (missing, or a file left
// behind by a program that died); kWaitTimeout when the receiver's queue
// stayed full; kInvalidParameter for a path that does not fit.
std::int32_t sendDatagram(const std::string& path, std::string_view bytes);
// True when a program is bound at `path`.
bool bound(const std::string& path);

}  // namespace platform::unix_socket
