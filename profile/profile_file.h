#pragma once
// CProfileFile: saves and loads the three profiles of a CDeviceProfiles as a
// profile file (*.prf), an ordinary INI file: section "General" with the
// device facts, then "Profile 0" .. "Profile 2". Values are decimal numbers
// or plain text; keys are written in the order of ProfileFileKeys().
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ini_file.h"
#include "profile/device_profiles.h"
#include "profile/field_rules.h"
#include "profile/profile_keys.h"

namespace profile {

// The first value of a profile file that breaks its field's rule.
struct FileValueFault {
    std::string section;
    std::string key;
    FieldFault fault = FieldFault::None;
};

// Checks every value of "General" and of the profile sections that has a
// key this suite knows (unknown keys are never read). An empty number stands
// for no value. Nothing when every value passes.
std::optional<FileValueFault> CheckProfileFile(const platform::ini::Document& doc);

// Lays the file over the model, which holds the adapter's profiles: each key
// the file has replaces the model's value, everything the file lacks stays.
// The adapter's facts (kind and region) stay too. Run CheckProfileFile first.
void OverlayProfileFile(const platform::ini::Document& doc, CDeviceProfiles& model);

// Load over the file's text instead of the file: the same result, for
// callers that hold the text already (and for fuzzing).
std::int32_t LoadProfileText(std::string_view text, CDeviceProfiles& profiles, std::int32_t mask,
                             std::int32_t& deviceKind);

}  // namespace profile

class CProfileFile {
public:
    // Writes "General" (the given device kind, the active profile, North
    // America) and then each profile whose bit is set in the mask (bit 0 =
    // profile 0), its file keys followed by the settings only the adapter
    // holds. The file is replaced whole, in one step. 0, or 5004 when it
    // cannot be written.
    std::int32_t Save(const std::string& path, const CDeviceProfiles& profiles, std::int32_t mask,
                      std::int32_t deviceKind) const;
    // Clears the model, reads "General" and each profile in the mask. A
    // missing key reads as "Unknown"; a present but empty "General" value
    // stops with 5005. deviceKind receives the file's device kind.
    std::int32_t Load(const std::string& path, CDeviceProfiles& profiles, std::int32_t mask,
                      std::int32_t& deviceKind) const;
};
