#pragma once
// The X.25 facility field of a profile ("X25 Facilities"): octets written as
// hexadecimal text. The packet-service page shows the facilities it knows as
// lists (throughput class, reverse charging, closed user group) and keeps
// every other one, as text, in "Andere". Pure.
//
// A facility code's top two bits give its parameter length: 00 one octet,
// 01 two, 10 three, 11 a length octet followed by that many octets.
#include <cstdint>
#include <string>
#include <string_view>

namespace config::pages {

enum GroupMode : std::int32_t {
    kGroupNone = 0,
    kGroupStandard = 1,   // 03
    kGroupOutgoing = 2,   // 09, with outgoing access
    kGroupBilateral = 3,  // 41, two octets
};

struct X25Choices {
    std::int32_t throughput = 0;       // list position: 0 default, 1 "75" ... 8 "9600"
    std::int32_t reverseCharging = 0;  // 0 "Nein", 1 "Ja"
    std::int32_t groupMode = kGroupNone;
    std::string groupNumber;  // decimal digits
    std::string other;        // hexadecimal text of every other facility

    bool operator==(const X25Choices&) const = default;
};

// Splits the profile's text. A facility the lists cannot show exactly (and
// anything after a malformed piece) stays in `other` as written.
X25Choices ReadX25Facilities(std::string_view text);
// Composes the text: throughput, reverse charging, closed user group, other.
std::string WriteX25Facilities(const X25Choices& choices);

// Checks the "Andere" text as the page takes it: an odd number of characters
// loses its last one; 0, 1525 for a character that is not a hexadecimal
// digit, 1523 when the facilities do not end exactly at the end.
std::uint32_t CheckOtherFacilities(std::string& text);

// The parameter length of a facility code; -1 for the variable class.
std::int32_t FacilityParameterLength(std::uint8_t code);

}  // namespace config::pages
