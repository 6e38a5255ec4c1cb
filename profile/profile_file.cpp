#include "profile/profile_file.h"

#include <algorithm>
#include <string>

#include "platform/ini_file.h"
#include "platform/status_codes.h"

namespace profile {
namespace {

// One value as the private-profile reader hands it to a 100-byte buffer: the
// text up to a NUL, at most 99 characters, "Unknown" for a missing key. An
// empty result means the key is present but empty.
std::string ReadValue(const platform::ini::Document& doc, const std::string& section,
                      const char* key) {
    const std::string* value = doc.find(section, key);
    const std::string_view text =
        value ? platform::ini::unquote(*value) : std::string_view(kMissingValue);
    const std::size_t nul = text.find('\0');
    const std::size_t n = std::min({text.size(), nul, std::size_t{kValueBufferSize - 1}});
    return std::string(text.substr(0, n));
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

std::int32_t CProfileFile::Load(const std::string& path, CDeviceProfiles& model, std::int32_t mask,
                                std::int32_t& deviceKind) const {
    // Read by the INI service's own rules, so that a file the key-by-key
    // reads would not take (too large, a FIFO, a device) reads like an empty
    // one here too and every key takes the fallback, instead of being read
    // without bound or waited on for ever.
    return profile::LoadProfileText(platform::ini::fileText(path), model, mask, deviceKind);
}

namespace profile {

std::int32_t LoadProfileText(std::string_view text, CDeviceProfiles& model, std::int32_t mask,
                             std::int32_t& deviceKind) {
    model.Clear();
    // One parse for the whole file; each value is looked up exactly as a
    // key-by-key read through the private-profile service would find it.
    const platform::ini::Document doc = platform::ini::Document::parse(text);

    const std::string general = kGeneralSection;
    const char* generalKeys[] = {kKeyDeviceType, kKeyDefaultProfile, kKeyIsdnType};
    std::int32_t* generalFields[] = {&deviceKind, &model.activeProfile, &model.northAmerica};
    std::int32_t status = kProfileOk;
    for (std::size_t k = 0; k < 3 && status == kProfileOk; ++k) {
        const std::string value = ReadValue(doc, general, generalKeys[k]);
        if (value.empty())
            status = kProfileFileEmptyGeneral;
        else
            *generalFields[k] = DecimalValue(value);
    }
    // The active profile indexes the profiles everywhere, also after a file
    // that fails later on; a file is outside input, so a number beyond them
    // falls back to the first profile.
    if (model.activeProfile < 0 || model.activeProfile >= CDeviceProfiles::kProfileCount)
        model.activeProfile = 0;
    if (status != kProfileOk) return status;

    for (std::int32_t i = 0; i < CDeviceProfiles::kProfileCount; ++i) {
        if ((mask & (1 << i)) == 0) continue;
        const std::string section = ProfileSectionName(i);
        CProfile& profile = model.profiles[static_cast<std::size_t>(i)];
        for (const ProfileFileKey& key : ProfileFileKeys()) {
            const std::string value = ReadValue(doc, section, key.readName);
            if (!value.empty()) SetProfileKeyText(profile, key, value);
        }
    }
    return kProfileOk;
}

}  // namespace profile
