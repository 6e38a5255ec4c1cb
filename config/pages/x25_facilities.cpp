#include "config/pages/x25_facilities.h"

#include <optional>
#include <vector>

#include "profile/field_rules.h"

namespace config::pages {

namespace {

constexpr std::uint8_t kThroughput = 0x02;
constexpr std::uint8_t kReverseCharging = 0x01;
constexpr std::uint8_t kGroupStandardCode = 0x03;
constexpr std::uint8_t kGroupOutgoingCode = 0x09;
constexpr std::uint8_t kGroupBilateralCode = 0x41;
// Throughput classes the list shows: 3 (75 bit/s) to 10 (9600 bit/s).
constexpr std::int32_t kLowestClass = 3;
constexpr std::int32_t kHighestClass = 10;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string hex2(std::uint32_t octet) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[(octet >> 4) & 0xF], kDigits[octet & 0xF]};
}

std::optional<std::vector<std::uint8_t>> octetsOf(std::string_view text) {
    if (text.size() % 2 != 0) return std::nullopt;
    std::vector<std::uint8_t> octets;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hexValue(text[i]);
        const int low = hexValue(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        octets.push_back(std::uint8_t(high << 4 | low));
    }
    return octets;
}

// Octets the facility at `pos` takes, or 0 when it runs past the end.
std::size_t facilitySize(const std::vector<std::uint8_t>& octets, std::size_t pos) {
    const std::int32_t length = FacilityParameterLength(octets[pos]);
    std::size_t size = 0;
    if (length >= 0) {
        size = 1 + std::size_t(length);
    } else {
        if (pos + 1 >= octets.size()) return 0;
        size = 2 + std::size_t(octets[pos + 1]);
    }
    return pos + size <= octets.size() ? size : 0;
}

bool isBcd(std::uint8_t octet) {
    return (octet >> 4) <= 9 && (octet & 0xF) <= 9;
}

// Takes one facility into the lists; false when they cannot show it. Known
// facilities are taken only in the order the writer composes them and as it
// writes them, so that reading and writing again gives the same text.
bool takeKnown(std::string_view written, const std::vector<std::uint8_t>& f, int& rank,
               X25Choices& c) {
    std::string canonical;
    for (std::uint8_t octet : f) canonical += hex2(octet);
    if (written != canonical) return false;
    const std::uint8_t code = f[0];
    if (code == kThroughput && rank < 1 && f[1] >= kLowestClass && f[1] <= kHighestClass) {
        c.throughput = f[1] - (kLowestClass - 1);
        rank = 1;
        return true;
    }
    if (code == kReverseCharging && rank < 2 && f[1] == 0x01) {
        c.reverseCharging = 1;
        rank = 2;
        return true;
    }
    if ((code == kGroupStandardCode || code == kGroupOutgoingCode) && rank < 3 && isBcd(f[1])) {
        c.groupMode = code == kGroupStandardCode ? kGroupStandard : kGroupOutgoing;
        c.groupNumber = hex2(f[1]);
        rank = 3;
        return true;
    }
    if (code == kGroupBilateralCode && rank < 3 && isBcd(f[1]) && isBcd(f[2])) {
        c.groupMode = kGroupBilateral;
        c.groupNumber = hex2(f[1]) + hex2(f[2]);
        rank = 3;
        return true;
    }
    return false;
}

std::string padded(const std::string& digits, std::size_t width) {
    return digits.size() >= width ? digits : std::string(width - digits.size(), '0') + digits;
}

}  // namespace

std::int32_t FacilityParameterLength(std::uint8_t code) {
    switch (code >> 6) {
        case 0:
            return 1;
        case 1:
            return 2;
        case 2:
            return 3;
        default:
            return -1;
    }
}

X25Choices ReadX25Facilities(std::string_view text) {
    X25Choices choices;
    const auto octets = octetsOf(text);
    if (!octets) {
        choices.other = std::string(text);
        return choices;
    }
    int rank = 0;
    for (std::size_t pos = 0; pos < octets->size();) {
        const std::size_t size = facilitySize(*octets, pos);
        if (size == 0) {
            choices.other += text.substr(pos * 2);
            break;
        }
        const std::vector<std::uint8_t> facility(octets->begin() + pos,
                                                 octets->begin() + pos + size);
        const std::string_view written = text.substr(pos * 2, size * 2);
        // Once a facility went to "Andere", later ones follow it there: the
        // writer puts "Andere" last.
        if (!choices.other.empty() || !takeKnown(written, facility, rank, choices))
            choices.other += written;
        pos += size;
    }
    return choices;
}

std::string WriteX25Facilities(const X25Choices& c) {
    std::string text;
    if (c.throughput > 0) text += "02" + hex2(std::uint32_t(c.throughput + kLowestClass - 1));
    if (c.reverseCharging == 1) text += "0101";
    if (c.groupMode == kGroupStandard) text += "03" + padded(c.groupNumber, 2);
    if (c.groupMode == kGroupOutgoing) text += "09" + padded(c.groupNumber, 2);
    if (c.groupMode == kGroupBilateral) text += "41" + padded(c.groupNumber, 4);
    return text + c.other;
}

std::uint32_t CheckOtherFacilities(std::string& text) {
    if (text.size() % 2 != 0) text.pop_back();
    const profile::FieldFault fault = profile::CheckX25Facilities(text);
    if (fault != profile::FieldFault::None)
        return profile::FieldMessageId(profile::FieldRule::X25Facilities, fault);
    const auto octets = octetsOf(text);
    for (std::size_t pos = 0; pos < octets->size();) {
        const std::size_t size = facilitySize(*octets, pos);
        if (size == 0) return 1523;
        pos += size;
    }
    return 0;
}

}  // namespace config::pages
