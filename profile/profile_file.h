#pragma once
// CProfileFile: saves and loads the three profiles of a CDeviceProfiles as a
// profile file (*.prf), an ordinary INI file: section "General" with the
// device facts, then "Profile 0" .. "Profile 2". Values are decimal numbers
// or plain text; keys are written in the order of ProfileFileKeys().
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "profile/device_profiles.h"

namespace profile {

// One key of a profile section and the CProfile field behind it. Exactly one
// of the three member pointers is set.
struct ProfileFileKey {
    const char* name;       // written under this name
    const char* readName;   // looked up under this name (differs only in case)
    std::string CProfile::*text;
    std::int32_t CProfile::*number;
    std::uint8_t CProfile::*byte;
};

// The keys of one profile section, in file order.
std::span<const ProfileFileKey> ProfileFileKeys();
// nullptr when no key has that name (compared without regard to case).
const ProfileFileKey* FindProfileFileKey(std::string_view name);

// The value as the file stores it: the text, or the decimal number.
std::string ProfileKeyText(const CProfile& profile, const ProfileFileKey& key);
// Takes a value as the file loader does: texts unchanged, numbers converted
// as decimal text (no digits gives 0), bytes their low 8 bits.
void SetProfileKeyText(CProfile& profile, const ProfileFileKey& key, std::string_view value);

// Decimal conversion as the file and the listing need it: optional spaces,
// an optional sign and the leading digits; no digits gives 0. Values beyond
// the 32-bit range saturate rather than overflow.
std::int32_t DecimalValue(std::string_view text);

inline constexpr const char* kGeneralSection = "General";
inline constexpr const char* kKeyDeviceType = "Device Type";
inline constexpr const char* kKeyDefaultProfile = "Default Profile";
inline constexpr const char* kKeyIsdnType = "ISDN Type";
inline constexpr const char* kMissingValue = "Unknown";  // the reader's fallback
inline constexpr std::uint32_t kValueBufferSize = 100;  // 99 characters and the NUL

// "Profile 0" .. "Profile 2".
std::string ProfileSectionName(std::int32_t index);

}  // namespace profile

class CProfileFile {
public:
    // Writes "General" (the given device kind, the active profile, North
    // America) and then each profile whose bit is set in the mask (bit 0 =
    // profile 0). 0, or 5004 when a key cannot be written.
    std::int32_t Save(const std::string& path, const CDeviceProfiles& profiles, std::int32_t mask,
                      std::int32_t deviceKind) const;
    // Clears the model, reads "General" and each profile in the mask. A
    // missing key reads as "Unknown"; a present but empty "General" value
    // stops with 5005. deviceKind receives the file's device kind.
    std::int32_t Load(const std::string& path, CDeviceProfiles& profiles, std::int32_t mask,
                      std::int32_t& deviceKind) const;
};
