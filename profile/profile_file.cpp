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

// An empty number in a file is no value: the reader leaves the field as it
// was, so there is nothing to check.
bool IsEmptyNumber(const FieldInfo& field, const std::string& value) {
    return field.rule == FieldRule::Number && value.empty();
}

}  // namespace
}  // namespace profile

using namespace profile;

std::int32_t CProfileFile::Save(const std::string& path, const CDeviceProfiles& model,
                                std::int32_t mask, std::int32_t deviceKind) const {
    // One document, one replacement: nothing of an older file at that path
    // stays, and a half-written file is never seen.
    platform::ini::Document doc;
    bool ok = doc.set(kGeneralSection, kKeyDeviceType, std::to_string(deviceKind)) &&
              doc.set(kGeneralSection, kKeyDefaultProfile, std::to_string(model.activeProfile)) &&
              doc.set(kGeneralSection, kKeyIsdnType, std::to_string(model.northAmerica));
    for (std::int32_t i = 0; ok && i < CDeviceProfiles::kProfileCount; ++i) {
        if ((mask & (1 << i)) == 0) continue;
        const std::string section = ProfileSectionName(i);
        const CProfile& profile = model.profiles[static_cast<std::size_t>(i)];
        for (const auto keys : {ProfileFileKeys(), AdapterOnlyKeys()})
            for (const ProfileFileKey& key : keys)
                ok = ok && doc.set(section, key.name, ProfileKeyText(profile, key));
    }
    if (!ok || !platform::ini::writeDocument(path, doc)) return kProfileFileWriteFailed;
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

std::optional<FileValueFault> CheckProfileFile(const platform::ini::Document& doc) {
    for (const auto& [key, value] : doc.entries(kGeneralSection)) {
        const FieldInfo* field = FindGeneralField(key);
        if (field == nullptr || IsEmptyNumber(*field, value)) continue;
        const FieldFault fault = CheckFieldValue(*field, value);
        if (fault != FieldFault::None) return FileValueFault{kGeneralSection, key, fault};
    }
    for (std::int32_t i = 0; i < CDeviceProfiles::kProfileCount; ++i) {
        const std::string section = ProfileSectionName(i);
        for (const auto& [key, value] : doc.entries(section)) {
            const FieldInfo* field = FindProfileField(key);
            if (field == nullptr || IsEmptyNumber(*field, value)) continue;
            const FieldFault fault = CheckFieldValue(*field, value);
            if (fault != FieldFault::None) return FileValueFault{section, key, fault};
        }
    }
    return std::nullopt;
}

void OverlayProfileFile(const platform::ini::Document& doc, CDeviceProfiles& model) {
    if (const std::string* active = doc.find(kGeneralSection, kKeyDefaultProfile)) {
        if (const auto number = ParseFieldNumber(*active);
            number && *number >= 0 && *number < CDeviceProfiles::kProfileCount)
            model.activeProfile = *number;
    }
    for (std::int32_t i = 0; i < CDeviceProfiles::kProfileCount; ++i) {
        const std::string section = ProfileSectionName(i);
        CProfile& profile = model.profiles[static_cast<std::size_t>(i)];
        for (const auto keys : {ProfileFileKeys(), AdapterOnlyKeys()}) {
            for (const ProfileFileKey& key : keys) {
                const std::string* value = doc.find(section, key.readName);
                if (value == nullptr || (!key.text && value->empty())) continue;
                SetProfileKeyText(profile, key, *value);
            }
        }
    }
}

}  // namespace profile
