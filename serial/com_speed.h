#pragma once
// The stored best speed of each port (key COMSpeeds\<port> of the suite's
// key, value <port>) and the setting that lets speed detection
// go beyond 57600 bit/s (View\DetectOptimalCOMSpeed, missing means on).
// Speed detection only finds the speed; whoever called it stores it.
#include <cstdint>
#include <string_view>

namespace serial {

inline constexpr const char* kComSpeedsKey = "SOFTWARE\\Velka\\Tamo TA Common\\COMSpeeds";
inline constexpr const char* kViewKey = "SOFTWARE\\Velka\\Tamo TA Common\\View";
inline constexpr const char* kTraceKey = "SOFTWARE\\Velka\\Tamo TA Common\\Trace";

// The stored speed, or 0 when none is stored (or the name cannot be a key).
std::uint32_t StoredComSpeed(std::string_view portName);
std::int32_t StoreComSpeed(std::string_view portName, std::uint32_t speed);
// The DetectOptimalCOMSpeed setting; a missing value means 1.
std::uint32_t DetectOptimalComSpeedSetting();

// The trial after `current` (0 starts the walk): 4800 ... 57600, then
// 115200 and 230400 only when `optimal` is not 0. 0 ends the walk.
std::uint32_t NextTrialSpeed(std::uint32_t current, std::uint32_t optimal);

}  // namespace serial
