#include "profile/profile_settings.h"

#include <string>

#include "platform/status_codes.h"

namespace {
constexpr const char* kName = "Name";
constexpr const char* kVoice = "EnableVoiceForBox";
constexpr const char* kModem = "EnableModemForPro";
}  // namespace

CProfileSettings::CProfileSettings() {
    SetDefaults();
}

std::int32_t CProfileSettings::SetDefaults() {
    for (std::int32_t n = 0; n < kProfileCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        names[i] = "Profil " + std::to_string(n);
        EnableVoiceForBox[i] = 0;
        EnableModemForPro[i] = 1;
    }
    return profile::kProfileOk;
}

void CProfileSettings::Bind(const CRegistry& deviceKey) {
    deviceKey_ = deviceKey;
    bound_ = 1;
}

CRegistry CProfileSettings::ProfileKey(std::int32_t index) const {
    return deviceKey_.SubKey("Profiles").SubKey(("Profile" + std::to_string(index)).c_str());
}

std::int32_t CProfileSettings::Load() {
    if (!bound_) return profile::kProfileNamesNotBound;
    for (std::int32_t n = 0; n < kProfileCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const CRegistry key = ProfileKey(n);
        // One missing profile key means the record was never stored whole:
        // start all three again from the defaults and store them.
        if (key.Exists() != registry::kRegOk) {
            SetDefaults();
            Save();
        }
        std::string name;
        if (key.ReadString(kName, name) == registry::kRegOk) names[i] = name;
        std::uint32_t value = 0;
        if (key.ReadDword(kVoice, value) == registry::kRegOk)
            EnableVoiceForBox[i] = static_cast<std::int32_t>(value);
        if (key.ReadDword(kModem, value) == registry::kRegOk)
            EnableModemForPro[i] = static_cast<std::int32_t>(value);
    }
    return profile::kProfileOk;
}

// Every value is tried, so one that cannot be stored costs only itself; the
// first failure is the result.
std::int32_t CProfileSettings::Save() const {
    if (!bound_) return profile::kProfileNamesNotBound;
    std::int32_t result = profile::kProfileOk;
    const auto note = [&result](std::int32_t status) {
        if (result == profile::kProfileOk) result = status;
    };
    for (std::int32_t n = 0; n < kProfileCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const CRegistry key = ProfileKey(n);
        if (const std::int32_t created = key.Create(); created != registry::kRegOk) {
            note(created);
            continue;
        }
        note(key.WriteString(kName, names[i].c_str()));
        note(key.WriteDword(kVoice, static_cast<std::uint32_t>(EnableVoiceForBox[i])));
        note(key.WriteDword(kModem, static_cast<std::uint32_t>(EnableModemForPro[i])));
    }
    return result;
}
