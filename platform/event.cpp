#include "platform/event.h"

namespace platform {

void Event::set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    cv_.notify_all();
}

void Event::reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool Event::isSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

WaitResult Event::wait(std::uint32_t timeoutMs) const {
    std::unique_lock lock(mutex_);
    if (timeoutMs == kInfinite) {
        cv_.wait(lock, [this] { return set_; });
        return WaitResult::Signaled;
    }
    const auto deadline = std::chrono::steady_clock::now() + scaled(timeoutMs);
    return cv_.wait_until(lock, deadline, [this] { return set_; }) ? WaitResult::Signaled
                                                                   : WaitResult::Timeout;
}

}  // namespace platform
