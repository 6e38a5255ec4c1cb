#pragma once
// Status codes of the platform layer. They keep the classic system values
// because callers above compare with them (258 is the suite's time-out code).
#include <cstdint>

namespace platform {

inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kFileNotFound = 2;   // key, value, file or device missing
inline constexpr std::int32_t kAccessDenied = 5;   // in use, or refused
inline constexpr std::int32_t kInvalidHandle = 6;  // operation on a closed object
inline constexpr std::int32_t kInvalidData = 13;   // stored data malformed
inline constexpr std::int32_t kInvalidParameter = 87;
inline constexpr std::int32_t kInsufficientBuffer = 122;
inline constexpr std::int32_t kMoreData = 234;     // caller's buffer too small
inline constexpr std::int32_t kWaitTimeout = 258;  // no answer within a wait
inline constexpr std::int32_t kNoMoreItems = 259;  // enumeration ended
inline constexpr std::int32_t kIoError = 1117;
inline constexpr std::int32_t kStoreError = 1009;  // the registry store database failed

}  // namespace platform
