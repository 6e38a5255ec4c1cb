#include "profile/profile_file.h"

#include <string>

#include "platform/ini_file.h"
#include "profile/profile_status.h"

namespace profile {
namespace {

// One value of the file with the reader's fallback and the 99-character cut.
// An empty result means the key is present but empty: a missing key yields
// the fallback.
std::string ReadValue(const std::string& path, const std::string& section, const char* key) {
    char buffer[kValueBufferSize] = {};
    const std::uint32_t n = platform::ini::getPrivateProfileString(
        section.c_str(), key, kMissingValue, buffer, kValueBufferSize, path);
    return std::string(buffer, n < kValueBufferSize ? n : kValueBufferSize - 1);
}

bool WriteValue(const std::string& path, const std::string& section, const char* key,
                const std::string& value) {
    return platform::ini::writePrivateProfileString(section.c_str(), key, value.c_str(), path);
}

}  // namespace
}  // namespace profile

using namespace profile;

std::int32_t CProfileFile::Save(const std::string& path, const CDeviceProfiles& model,
                                std::int32_t mask, std::int32_t deviceKind) const {
    const std::string general = kGeneralSection;
    if (!WriteValue(path, general, kKeyDeviceType, std::to_string(deviceKind)) ||
        !WriteValue(path, general, kKeyDefaultProfile, std::to_string(model.activeProfile)) ||
        !WriteValue(path, general, kKeyIsdnType, std::to_string(model.northAmerica)))
        return kProfileFileWriteFailed;

    for (std::int32_t i = 0; i < CDeviceProfiles::kProfileCount; ++i) {
        if ((mask & (1 << i)) == 0) continue;
        const std::string section = ProfileSectionName(i);
        const CProfile& profile = model.profiles[static_cast<std::size_t>(i)];
        for (const ProfileFileKey& key : ProfileFileKeys()) {
            // A half-written profile must not pass for an export that worked.
            if (!WriteValue(path, section, key.name, ProfileKeyText(profile, key)))
                return kProfileFileWriteFailed;
        }
    }
    return kProfileOk;
}

std::int32_t CProfileFile::Load(const std::string& path, CDeviceProfiles& model,
                                std::int32_t mask, std::int32_t& deviceKind) const {
    model.Clear();

    const std::string general = kGeneralSection;
    const char* generalKeys[] = {kKeyDeviceType, kKeyDefaultProfile, kKeyIsdnType};
    std::int32_t* generalFields[] = {&deviceKind, &model.activeProfile, &model.northAmerica};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string value = ReadValue(path, general, generalKeys[k]);
        if (value.empty()) return kProfileFileEmptyGeneral;
        *generalFields[k] = DecimalValue(value);
    }
    // The active profile indexes the profiles everywhere; a file is outside
    // input, so a number beyond them falls back to the first profile.
    if (model.activeProfile < 0 || model.activeProfile >= CDeviceProfiles::kProfileCount)
        model.activeProfile = 0;

    for (std::int32_t i = 0; i < CDeviceProfiles::kProfileCount; ++i) {
        if ((mask & (1 << i)) == 0) continue;
        const std::string section = ProfileSectionName(i);
        CProfile& profile = model.profiles[static_cast<std::size_t>(i)];
        for (const ProfileFileKey& key : ProfileFileKeys()) {
            const std::string value = ReadValue(path, section, key.readName);
            if (!value.empty()) SetProfileKeyText(profile, key, value);
        }
    }
    return kProfileOk;
}
