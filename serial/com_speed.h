#pragma once
// The stored best speed of each port (key COMSpeeds\<port> of the suite's
// key, value <port>) and the setting View\DetectOptimalCOMSpeed, which lets
// speed detection go beyond 57600 bit/s and lets its callers store the speed
// found. CComLink::DetectSpeed only finds the speed; DetectAndStoreComSpeed
// is the one rule by which its callers store it.
#include <cstdint>
#include <span>
#include <string_view>

class CComLink;

namespace serial {

inline constexpr const char* kComSpeedsKey = "SOFTWARE\\Velka\\Tamo TA Common\\COMSpeeds";
inline constexpr const char* kViewKey = "SOFTWARE\\Velka\\Tamo TA Common\\View";
inline constexpr const char* kTraceKey = "SOFTWARE\\Velka\\Tamo TA Common\\Trace";

// The stored speed, or 0 when none is stored (or the name cannot be a key).
std::uint32_t StoredComSpeed(std::string_view portName);
std::int32_t StoreComSpeed(std::string_view portName, std::uint32_t speed);
// The DetectOptimalCOMSpeed setting. Callers read a missing value as they
// always have, so it is theirs to say: DetectSpeed and the firmware
// download as 1, the profile reader and `tactl speed` as 0 (a store without
// the setting keeps the speeds it had).
inline constexpr std::uint32_t kMissingMeansOn = 1;
inline constexpr std::uint32_t kMissingMeansOff = 0;
std::uint32_t DetectOptimalComSpeedSetting(std::uint32_t whenMissing);

// The two modem entries whose default settings follow the port's speed, by
// device kind; empty for kinds that have none.
std::span<const char* const> ModemEntriesOfKind(std::int32_t kind);

// Finds the fastest speed the adapter on `port` answers at and, when the
// setting (a missing one read as `whenMissing`) is on, stores it: as the
// port's COMSpeeds value and as the speed of the default settings of the
// port and of the kind's modem entries (a name the system does not know is
// skipped). `speed` gets the speed found, 0 when the adapter never answered.
// Returns DetectSpeed's status: the open code for a port that cannot be
// opened, in which case nothing is stored.
std::int32_t DetectAndStoreComSpeed(CComLink& link, std::string_view port, std::int32_t kind,
                                    std::uint32_t whenMissing, std::uint32_t& speed);

// The trial after `current` (0 starts the walk): 4800 ... 57600, then
// 115200 and 230400 only when `optimal` is not 0. 0 ends the walk.
std::uint32_t NextTrialSpeed(std::uint32_t current, std::uint32_t optimal);

}  // namespace serial
