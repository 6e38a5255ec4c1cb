#pragma once
// Status codes and results of the firmware upgrade.
#include <cstdint>

namespace firmware {

inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kElmNoVersion = 5002;  // image unreadable or without version record

// Results of an upgrade operation.
inline constexpr std::int32_t kUpgradeDone = 4100;
inline constexpr std::int32_t kUpgradeFailed = 4101;
inline constexpr std::int32_t kUpgradeCancelled = 4102;  // cancelled or refused

// Set-up and start of a download.
inline constexpr std::int32_t kImageOpenFailed = 4000;
inline constexpr std::int32_t kEventsFailed = 4001;
inline constexpr std::int32_t kPortOpenFailed = 4002;
inline constexpr std::int32_t kRelayFailed = 4003;

// Results of a download.
inline constexpr std::int32_t kLoaded = 0;
inline constexpr std::int32_t kDeviceCancelled = -2;
inline constexpr std::int32_t kNoAnswer = -3;
inline constexpr std::int32_t kUserCancelled = -7;
inline constexpr std::int32_t kStartFailed = 4006;
inline constexpr std::int32_t kStartRefused = 4007;

// The operation's result for a download's result.
constexpr std::int32_t upgradeResult(std::int32_t downloadResult) {
    if (downloadResult == kLoaded) return kUpgradeDone;
    // A download the user stopped left the old firmware in place, as a
    // refused start does: cancelled, not failed.
    if (downloadResult == kUserCancelled || downloadResult == kStartRefused)
        return kUpgradeCancelled;
    return kUpgradeFailed;
}

}  // namespace firmware
