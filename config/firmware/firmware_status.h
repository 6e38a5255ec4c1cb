#pragma once
// The upgrade's result for a download's result; the codes themselves are in
// platform/status_codes.h.
#include <cstdint>

#include "platform/status_codes.h"

namespace firmware {

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
