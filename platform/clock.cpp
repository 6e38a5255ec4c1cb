#include "platform/clock.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace platform {

namespace {

// A scale that cannot be read is treated as no scale at all: a typo in the
// environment must not make the real programs hang or race.
double parseScale(const char* text) {
    if (text == nullptr || *text == '\0') return 1.0;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0') return 1.0;
    if (!std::isfinite(value) || value <= 0.0) return 1.0;
    return value;
}

std::atomic<double>& scaleSlot() {
    static std::atomic<double> slot{parseScale(std::getenv("VELKA_TA_TIME_SCALE"))};
    return slot;
}

}  // namespace

double timeScale() {
    return scaleSlot().load(std::memory_order_relaxed);
}

void reloadTimeScale() {
    scaleSlot().store(parseScale(std::getenv("VELKA_TA_TIME_SCALE")), std::memory_order_relaxed);
}

std::chrono::milliseconds scaled(std::uint32_t ms) {
    if (ms == 0) return std::chrono::milliseconds(0);
    const double value = std::llround(static_cast<double>(ms) * timeScale());
    // A pause that was asked for never vanishes entirely, and no scale may
    // push a time-out past what a signed millisecond count can hold.
    const double clamped = std::clamp(value, 1.0, 1e15);
    return std::chrono::milliseconds(static_cast<std::int64_t>(clamped));
}

void sleepMs(std::uint32_t ms) {
    if (ms == 0) return;
    std::this_thread::sleep_for(scaled(ms));
}

std::uint64_t tickCountMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace platform
