#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/paths.h"

namespace platform {

namespace {

// Mutex names are free text; only the path separator cannot be part of a
// file name.
std::string lockPath(const std::string& name) {
    std::string file = name;
    std::replace(file.begin(), file.end(), '/', '_');
    if (file.empty() || file == "." || file == "..") file = "_" + file;
    return paths::runtimeDir() + "/" + file + ".lock";
}

}  // namespace

NamedMutex::NamedMutex(std::string name) : name_(std::move(name)) {}

NamedMutex::~NamedMutex() {
    unlock();
}

bool NamedMutex::tryLock() {
    if (fd_ >= 0) return true;
    // Every attempt uses its own open file description, so a second NamedMutex
    // of the same name in this process conflicts just like another process.
    const int fd = ::open(lockPath(name_).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

WaitResult NamedMutex::lock(std::uint32_t timeoutMs) {
    if (tryLock()) return WaitResult::Signaled;
    const bool forever = timeoutMs == kInfinite;
    const auto deadline = std::chrono::steady_clock::now() + scaled(forever ? 0 : timeoutMs);
    // flock has no timed wait, so poll; the interval grows from 1 ms to 20 ms
    // so a short hold is noticed quickly without spinning on a long one. The
    // interval is a polling granularity, not a pause of the suite, so it is
    // not scaled.
    auto interval = std::chrono::milliseconds(1);
    for (;;) {
        const auto now = std::chrono::steady_clock::now();
        if (!forever && now >= deadline) return WaitResult::Timeout;
        auto nap = interval;
        if (!forever)
            nap = std::min(nap,
                           std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now) +
                               std::chrono::milliseconds(1));
        std::this_thread::sleep_for(nap);
        if (tryLock()) return WaitResult::Signaled;
        interval = std::min(interval * 2, std::chrono::milliseconds(20));
    }
}

void NamedMutex::unlock() {
    if (fd_ < 0) return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}

}  // namespace platform
