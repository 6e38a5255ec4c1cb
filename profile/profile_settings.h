#pragma once
// CProfileSettings: the per-device record of the three profile names and
// two flags per profile, kept in the registry below the device's item key as
// Profiles\Profile0..2 with the values "Name", "EnableVoiceForBox" and
// "EnableModemForPro". The folder binds it; the configurator loads, changes
// and saves it.
#include <array>
#include <cstdint>
#include <string>

#include "registry/registry.h"

class CProfileSettings {
public:
    static constexpr std::int32_t kProfileCount = 3;

    // Defaults, an unbound key.
    CProfileSettings();

    // "Profil 0" .. "Profil 2", voice off, modem on, for all three. Returns 0.
    std::int32_t SetDefaults();
    // Copies the device key (for example ...\Devices\Device01) and marks the
    // record bound.
    void Bind(const CRegistry& deviceKey);
    bool IsBound() const { return bound_ != 0; }
    const CRegistry& DeviceKey() const { return deviceKey_; }

    // 0, or 14000 when not bound. Registry failures inside are not reported:
    // a value that cannot be read leaves its field as it was, and a missing
    // Profile<n> key resets and stores all three profiles before reading on.
    std::int32_t Load();
    // 0, or 14000 when not bound. Creates the keys as needed. A value the
    // store refuses (a name of 260 bytes or more with its terminator) gives
    // the registry's code (2002, or 2004 for a key); the other values are
    // still stored.
    std::int32_t Save() const;

    std::array<std::string, kProfileCount> names;
    std::array<std::int32_t, kProfileCount> EnableVoiceForBox{};
    std::array<std::int32_t, kProfileCount> EnableModemForPro{};

private:
    CRegistry ProfileKey(std::int32_t index) const;

    CRegistry deviceKey_;
    std::int32_t bound_ = 0;
};
