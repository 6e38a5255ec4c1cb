#pragma once
// The adapter's profile memory: the working profile that setting commands
// change, the three stored profiles (&W stores, ATZ loads), the default
// profile (&Y), and the listing that AT&V prints.
//
// Which parameters exist depends on the device: kind, region, analogue
// ports and AODI support (see sim/README.md). A parameter the device does
// not have is refused, and the listing shows only the ones it has.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/scenario.h"

namespace sim {

using Profile = std::map<std::string, std::string>;  // "!N1" -> "5551234"

class ProfileStore {
public:
    explicit ProfileStore(const Scenario& scenario);

    // Parameter keys of this device, in listing order (a card's "!N5" is
    // taken but not listed: see listed()).
    const std::vector<std::string>& keys() const { return keys_; }
    bool has(std::string_view key) const;
    bool listed(std::string_view key) const;
    bool isText(std::string_view key) const;
    // The device has the parameter and would take the value.
    bool accepts(const std::string& key, const std::string& value) const {
        return has(key) && valid(key, value);
    }

    // Sets a working-profile value after checking it (numbers in range,
    // texts of allowed characters and length). false: ERROR.
    bool set(const std::string& key, const std::string& value);
    std::string working(const std::string& key) const;
    std::string stored(std::int32_t index, const std::string& key) const;

    bool store(std::int32_t index);    // &W<n>
    bool restore(std::int32_t index);  // ATZ<n>: working := stored n
    bool setDefault(std::int32_t index);
    std::int32_t defaultProfile() const { return default_; }
    void loadFactory() { working_ = factory_; }  // &F
    // Factory settings into the working and all stored profiles; &Y0.
    void factoryReset();

    std::string listing(const Faults& faults) const;

    // "active=<n>" and "<profile> <key>=<value>" lines. loadState takes only
    // values that pass the same checks as the setting commands and leaves
    // the store as it was (returning 1) when the text is malformed.
    std::string saveState() const;
    std::int32_t loadState(std::string_view text);

private:
    bool valid(const std::string& key, const std::string& value) const;
    std::string section(const Profile& p, bool dropA2, bool badA2) const;

    std::vector<std::string> keys_;
    std::vector<std::string> unlisted_;  // taken, but not shown in the listing
    Profile factory_;
    Profile working_;
    std::array<Profile, 3> stored_;
    std::int32_t default_ = 0;
};

}  // namespace sim
