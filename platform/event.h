#pragma once
// Manual-reset event: stays set until reset; every waiter wakes.
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/clock.h"

namespace platform {

enum class WaitResult { Signaled, Timeout, Abandoned, Failed };

class Event {
public:
    explicit Event(bool initiallySet = false) : set_(initiallySet) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    bool isSet() const;
    // The time-out is scaled by the time facility; kInfinite waits for ever.
    WaitResult wait(std::uint32_t timeoutMs) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable cv_;
    bool set_;
};

}  // namespace platform
