#pragma once
// Status codes of the adapter record's status query, and the values of its
// state fields.
#include <cstdint>

namespace device {

inline constexpr std::int32_t kDeviceOk = 0;
inline constexpr std::int32_t kDeviceOpenFailed = 7003;   // openState tells busy or other
inline constexpr std::int32_t kDeviceNoReply = 7004;      // nothing within 1000 ms
inline constexpr std::int32_t kDeviceWaitTimeout = 7005;  // the wait itself failed
inline constexpr std::int32_t kDeviceWriteFailed = 7007;
inline constexpr std::int32_t kDeviceNoEcho = 8000;  // echo or result-code line missing
inline constexpr std::int32_t kDeviceNoReplyLine = 8001;
inline constexpr std::int32_t kDeviceBadResultCode = 8004;  // neither "OK" nor "ERROR"

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
