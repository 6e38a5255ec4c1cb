#pragma once
// The keys of a profile file's profile sections and the CProfile field
// behind each, in the order the file carries them; also what the command
// line prints and accepts. Pure: no file access here.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "profile/profile.h"

namespace profile {

// One key of a profile section and the CProfile field behind it. Exactly one
// of the three member pointers is set.
struct ProfileFileKey {
    const char* name;      // written under this name
    const char* readName;  // looked up under this name (differs only in case)
    std::string CProfile::*text;
    std::int32_t CProfile::*number;
    std::uint8_t CProfile::*byte;
};

// The keys of one profile section, in file order.
std::span<const ProfileFileKey> ProfileFileKeys();
// nullptr when no key has that name (compared without regard to case).
const ProfileFileKey* FindProfileFileKey(std::string_view name);

// The settings only the adapter holds (T1, T2, N5 text, Pro option). Files
// carry them after the keys above, so an import gives the adapter back what
// an export took from it; readers that know only the keys above read such
// files as before.
std::span<const ProfileFileKey> AdapterOnlyKeys();
// Either kind of key; nullptr when none has that name.
const ProfileFileKey* FindProfileKey(std::string_view name);

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
inline constexpr std::uint32_t kValueBufferSize = 100;   // 99 characters and the NUL

// "Profile 0" .. "Profile 2".
std::string ProfileSectionName(std::int32_t index);

}  // namespace profile
