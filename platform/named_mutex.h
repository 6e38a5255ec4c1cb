#pragma once
// Named mutex shared between processes: flock on a lock file in the runtime
// folder. The kernel releases it when the holder dies, so a crashed program
// never blocks the next waiter. Not recursive: a second lock of the same name
// in the same process waits like any other process would.
#include <cstdint>
#include <string>

#include "platform/event.h"

namespace platform {

class NamedMutex {
public:
    explicit NamedMutex(std::string name);
    ~NamedMutex();  // releases the lock if held
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // Waits at most timeoutMs (scaled); Signaled when the lock is held.
    WaitResult lock(std::uint32_t timeoutMs);
    bool tryLock();
    void unlock();
    bool held() const { return fd_ >= 0; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
    int fd_ = -1;
};

// The device-access mutex that folder, monitor and tactl hold around queries.
inline constexpr const char* kDeviceAccessMutex = "Velka0AF4DE20-619B-11d1-BC30-00C04FC976B6";
inline constexpr std::uint32_t kDeviceAccessWaitMs = 20000;

}  // namespace platform
