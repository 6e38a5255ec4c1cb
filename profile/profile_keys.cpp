#include "profile/profile_keys.h"

#include <array>
#include <cctype>
#include <limits>
#include <string>

namespace profile {

namespace {

constexpr ProfileFileKey Text(const char* name, std::string CProfile::*field) {
    return {name, name, field, nullptr, nullptr};
}
constexpr ProfileFileKey Number(const char* name, std::int32_t CProfile::*field,
                                const char* readName = nullptr) {
    return {name, readName ? readName : name, nullptr, field, nullptr};
}
constexpr ProfileFileKey Byte(const char* name, std::uint8_t CProfile::*field) {
    return {name, name, nullptr, nullptr, field};
}

const std::array<ProfileFileKey, 48> kKeys = {{
    Text("Profile Name", &CProfile::name),
    Number("Connect Type", &CProfile::connectType),
    Number("Data Over Voice", &CProfile::dataOverVoice),
    Number("Dynamic Bandwidth Allocation", &CProfile::dynamicBandwidthAllocation),
    Number("Region", &CProfile::region),
    Byte("Port Settings", &CProfile::portSettings),
    Text("Primary Number1", &CProfile::number1),
    Text("Primary Number2", &CProfile::number2),
    Text("Primary SPID1", &CProfile::spid1),
    Text("Primary SPID2", &CProfile::spid2),
    Text("X.25 DTE Address", &CProfile::x25DteAddress),
    Number("Primary SwitchType", &CProfile::switchType),
    Number("Primary Non-Initialised Terminal Mode 1", &CProfile::terminalMode1),
    Number("Primary Non-Initialised Terminal Mode 2", &CProfile::terminalMode2),
    Number("POTS Available", &CProfile::potsAvailable),
    Number("Voice Mail POTS 1", &CProfile::voiceMailPots1),
    Number("Voice Mail POTS 2", &CProfile::voiceMailPots2),
    Number("Audio POTS 1", &CProfile::audioPots1),
    Number("Audio POTS 2", &CProfile::audioPots2),
    Number("Distinct Ring POTS 1", &CProfile::distinctRingPots1),
    Number("Distinct Ring POTS 2", &CProfile::distinctRingPots2),
    Number("Supplementary Services POTS 1", &CProfile::supplementaryServicesPots1),
    Number("Supplementary Services POTS 2", &CProfile::supplementaryServicesPots2),
    Number("Dial Access POTS 1", &CProfile::dialAccessPots1),
    Number("Dial Access POTS 2", &CProfile::dialAccessPots2),
    Number("Mode POTS 1", &CProfile::modePots1),
    Number("Mode POTS 2", &CProfile::modePots2),
    Number("Call Waiting POTS 1", &CProfile::callWaitingPots1),
    Number("Call Waiting POTS 2", &CProfile::callWaitingPots2),
    Number("Abbreviated Ring for VMWI POTS 1", &CProfile::abbreviatedRingPots1),
    Number("Abbreviated Ring for VMWI POTS 2", &CProfile::abbreviatedRingPots2),
    Text("Call Conference Key", &CProfile::callConferenceKey),
    Text("Call Drop Key", &CProfile::callDropKey),
    Text("VMWI Key", &CProfile::vmwiKey),
    Number("VMWI Refresh Time", &CProfile::vmwiRefreshTime),
    Text("X25 Facilities", &CProfile::x25Facilities),
    Number("AODI Supported", &CProfile::aodiSupported),
    Number("AODI", &CProfile::aodi),
    Number("X25 Version", &CProfile::x25Version),
    Number("Bandwidth Allocation Control Protocol", &CProfile::bacp,
           "BandWidth Allocation Control Protocol"),
    Number("Bandwidth Allocation Protocol Start Interval", &CProfile::bapStartInterval),
    Number("Bandwidth Allocation Protocol Repeat Interval", &CProfile::bapRepeatInterval),
    Number("Delay Open B1", &CProfile::delayOpenB1),
    Number("Delay Open B2", &CProfile::delayOpenB2),
    Number("Threshold Open B1", &CProfile::thresholdOpenB1),
    Number("Threshold Open B2", &CProfile::thresholdOpenB2),
    Number("Threshold Close B1", &CProfile::thresholdCloseB1),
    Number("Threshold Close B2", &CProfile::thresholdCloseB2),
}};

const std::array<ProfileFileKey, 4> kAdapterOnlyKeys = {{
    Byte("T1 Setting", &CProfile::t1Setting),
    Byte("T2 Setting", &CProfile::t2Setting),
    Text("N5 Text", &CProfile::n5Text),
    Number("Pro Option", &CProfile::proOption),
}};

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::span<const ProfileFileKey> ProfileFileKeys() {
    return kKeys;
}

const ProfileFileKey* FindProfileFileKey(std::string_view name) {
    for (const ProfileFileKey& key : kKeys)
        if (EqualNoCase(key.name, name)) return &key;
    return nullptr;
}

std::span<const ProfileFileKey> AdapterOnlyKeys() {
    return kAdapterOnlyKeys;
}

const ProfileFileKey* FindProfileKey(std::string_view name) {
    if (const ProfileFileKey* key = FindProfileFileKey(name)) return key;
    for (const ProfileFileKey& key : kAdapterOnlyKeys)
        if (EqualNoCase(key.name, name)) return &key;
    return nullptr;
}

std::string ProfileKeyText(const CProfile& profile, const ProfileFileKey& key) {
    if (key.text) return profile.*key.text;
    if (key.number) return std::to_string(profile.*key.number);
    return std::to_string(static_cast<std::int32_t>(profile.*key.byte));
}

void SetProfileKeyText(CProfile& profile, const ProfileFileKey& key, std::string_view value) {
    if (key.text)
        (profile.*key.text).assign(value);
    else if (key.number)
        profile.*key.number = DecimalValue(value);
    else
        profile.*key.byte = static_cast<std::uint8_t>(DecimalValue(value) & 0xFF);
}

std::int32_t DecimalValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value == kLimit ? kLimit - 1 : value);
}

std::string ProfileSectionName(std::int32_t index) {
    return "Profile " + std::to_string(index);
}

}  // namespace profile
