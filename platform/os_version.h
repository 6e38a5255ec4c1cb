#pragma once
// The platform family the suite believes it runs on. Linux answers as the
// consumer line (id 1), so every consumer-line path is live; VELKA_TA_OS=nt4
// (or nt5) switches to the NT line so tests cover those paths.
#include <cstdint>

namespace platform {

inline constexpr std::uint32_t kPlatformConsumer = 1;
inline constexpr std::uint32_t kPlatformNt = 2;

struct OsVersion {
    std::uint32_t platformId;
    std::uint32_t major;
    std::uint32_t minor;
};

OsVersion osVersion();

}  // namespace platform
