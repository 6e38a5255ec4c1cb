#pragma once
// The one facility for fixed pauses and time-outs. VELKA_TA_TIME_SCALE
// (default 1) multiplies every one of them, so tests run the real sequences
// faster; a scaled pause never drops below 1 ms unless it was 0.
#include <chrono>
#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

double timeScale();
// Re-reads VELKA_TA_TIME_SCALE (tests that change it in-process call this).
void reloadTimeScale();
std::chrono::milliseconds scaled(std::uint32_t ms);
void sleepMs(std::uint32_t ms);  // scaled
std::uint64_t tickCountMs();     // monotonic, unscaled

}  // namespace platform
