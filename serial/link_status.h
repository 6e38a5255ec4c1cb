#pragma once
// Status codes of the serial link.
#include <cstdint>

namespace serial {

inline constexpr std::int32_t kLinkOk = 0;
inline constexpr std::int32_t kLinkNoAnswer = 258;  // a caller's wait timed out
inline constexpr std::int32_t kLinkEventFailed = 1000;
inline constexpr std::int32_t kLinkOpenFailed = 1002;
inline constexpr std::int32_t kLinkThreadFailed = 1003;
inline constexpr std::int32_t kLinkSettingsRefused = 1004;
inline constexpr std::int32_t kLinkReadFailed = 1005;   // line errors, wait failed, overflow
inline constexpr std::int32_t kLinkWriteFailed = 1006;  // also: no answer in quick-probe mode
inline constexpr std::int32_t kLinkCompletionFailed = 1007;
inline constexpr std::int32_t kLinkBadTarget = 1008;
inline constexpr std::int32_t kLinkResponseTooLong = 1009;
inline constexpr std::int32_t kLinkIncomplete = 1010;  // internal: keep collecting
inline constexpr std::int32_t kLinkTraceFailed = 1012;
inline constexpr std::int32_t kLinkTraceNoPath = 1013;
inline constexpr std::int32_t kLinkPortInUse = 1014;
inline constexpr std::int32_t kLinkTraceNoKey = 1015;
inline constexpr std::int32_t kLinkTraceNoPathValue = 1016;
inline constexpr std::int32_t kLinkMatchTooLong = 1017;
inline constexpr std::int32_t kLinkMatchListFull = 1018;

}  // namespace serial
