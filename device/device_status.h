#pragma once
// The values of the adapter record's state fields; the status query's codes
// are in platform/status_codes.h.
#include <cstdint>

#include "platform/status_codes.h"

namespace device {

// openState
inline constexpr std::int32_t kOpenOk = 0;
inline constexpr std::int32_t kOpenBusy = 1;
inline constexpr std::int32_t kOpenFailed = 2;
inline constexpr std::int32_t kOpenNotTried = 3;

// region
inline constexpr std::int32_t kRegionInternational = 0;
inline constexpr std::int32_t kRegionNorthAmerica = 1;
inline constexpr std::int32_t kRegionUnknown = 255;

// firmwareState
inline constexpr std::int32_t kFirmwareRunning = 0;
inline constexpr std::int32_t kFirmwareBootOnly = 1;
inline constexpr std::int32_t kFirmwareUnknown = 2;

}  // namespace device
