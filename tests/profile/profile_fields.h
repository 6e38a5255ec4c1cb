#pragma once
// Every setting of a profile as "name=value", so a test compares whole
// profiles, or just the fields its case is about, in one statement and sees
// every difference at once.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "profile/profile_keys.h"

namespace profiletest {

using Fields = std::map<std::string, std::string>;

// The profile file's keys, then the settings the file does not carry.
inline Fields FieldsOf(const CProfile& p) {
    Fields f;
    for (const auto& key : profile::ProfileFileKeys())
        f[key.name] = profile::ProfileKeyText(p, key);
    f["T1"] = std::to_string(p.t1Setting);
    f["T2"] = std::to_string(p.t2Setting);
    f["N5"] = p.n5Text;
    f["Pro Option"] = std::to_string(p.proOption);
    f["Voice"] = std::to_string(p.EnableVoiceForBox);
    f["Modem"] = std::to_string(p.EnableModemForPro);
    return f;
}

// "Region=1;N5=77" as fields.
inline Fields ParseFields(std::string_view settings) {
    Fields f;
    while (!settings.empty()) {
        const std::string_view item = settings.substr(0, settings.find(';'));
        const std::size_t eq = item.find('=');
        f[std::string(item.substr(0, eq))] = std::string(item.substr(eq + 1));
        settings.remove_prefix(std::min(settings.size(), item.size() + 1));
    }
    return f;
}

// A cleared profile's fields, with those named in `settings` changed: what a
// reader that sets these fields and touches nothing else leaves behind.
inline Fields ClearedWith(std::string_view settings) {
    Fields f = FieldsOf(CProfile{});
    for (const auto& [name, value] : ParseFields(settings)) f[name] = value;
    return f;
}

// The profile's values of the fields named in `settings`, to compare with them.
inline Fields Pick(const CProfile& p, std::string_view settings) {
    const Fields all = FieldsOf(p);
    Fields out;
    for (const auto& [name, value] : ParseFields(settings)) {
        const auto it = all.find(name);
        out[name] = it == all.end() ? "<no such field>" : it->second;
    }
    return out;
}

// Sets the fields named in `settings`.
inline void Apply(CProfile& p, std::string_view settings) {
    for (const auto& [name, value] : ParseFields(settings)) {
        if (const auto* key = profile::FindProfileFileKey(name))
            profile::SetProfileKeyText(p, *key, value);
        else if (name == "T1")
            p.t1Setting = static_cast<std::uint8_t>(std::stoi(value));
        else if (name == "T2")
            p.t2Setting = static_cast<std::uint8_t>(std::stoi(value));
        else if (name == "N5")
            p.n5Text = value;
        else if (name == "Pro Option")
            p.proOption = std::stoi(value);
        else
            ADD_FAILURE() << "no such field: " << name;
    }
}

// A cleared profile with the fields named in `settings` set.
inline CProfile ProfileWith(std::string_view settings) {
    CProfile p;
    Apply(p, settings);
    return p;
}

}  // namespace profiletest
