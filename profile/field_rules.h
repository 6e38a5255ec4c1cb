#pragma once
// What each setting of a profile may hold. One set of rules for every path
// by which a value reaches the adapter: the property pages, the command line
// and profile files. A text setting is sent inside a command line, so a value
// that breaks its rule could carry commands of its own ("555!C1=9",
// "4000&W0"); numbers outside their field's range would be cut or dropped.
// Pure: no I/O.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace profile {

enum class FieldRule : std::uint8_t {
    Number,           // decimal, within the field's range
    IsdnNumber,       // digits, '*', '#', spaces; at most 20 besides the spaces
    DirectoryNumber,  // an ISDN number, or a packet number where the profile dials X.25
    Spid,             // digits and spaces; at most 20 besides the spaces
    X25Address,       // X.25 DTE address: digits and '-'; at most 15
    PacketNumber,     // X.25 call number: as the DTE address
    X25Facilities,    // an even number of hexadecimal digits
    FeatureKey,       // at most 5 digits
    ProfileName,      // at most 40 printable characters, no line break
};

enum class FieldFault : std::uint8_t {
    None,
    BadCharacter,
    TooLong,
    OddLength,   // X.25 facilities: half an octet
    NotANumber,  // no decimal number, or more than the number
    OutOfRange,
};

struct FieldInfo {
    const char* key;  // the profile file's key
    FieldRule rule;
    std::int32_t min = 0;  // Number only
    std::int32_t max = 0;
    std::span<const std::int32_t> choices = {};  // Number: when set, only these values
};

// The rules by themselves (for the pages).
FieldFault CheckIsdnNumber(std::string_view text);
FieldFault CheckSpid(std::string_view text);
FieldFault CheckX25Address(std::string_view text);
FieldFault CheckX25Facilities(std::string_view text);
FieldFault CheckFeatureKey(std::string_view text);  // empty passes: the cleared value
FieldFault CheckProfileName(std::string_view text);

// A decimal number: optional surrounding spaces, then digits only.
std::optional<std::int32_t> ParseFieldNumber(std::string_view text);

// Checks a value as text against the field's rule.
FieldFault CheckFieldValue(const FieldInfo& field, std::string_view value);

// Every key of a profile section: the keys of the profile file, then the
// settings only the adapter holds ("T1 Setting", "T2 Setting", "N5 Text",
// "Pro Option").
std::span<const FieldInfo> ProfileFieldList();
// The keys of the "General" section.
std::span<const FieldInfo> GeneralFieldList();
// nullptr when a profile section has no such key (compared without regard
// to case, as the file's reader does).
const FieldInfo* FindProfileField(std::string_view key);
const FieldInfo* FindGeneralField(std::string_view key);

// German, for messages and lists: what the field takes ("0 bis 255",
// "Ziffern, '*', '#' und Leerzeichen, höchstens 20 Ziffern").
std::string FieldRuleText(const FieldInfo& field);
// German: why a value failed.
std::string FieldFaultText(FieldFault fault);

// The message the pages show for a failed text rule; 0 when they have none.
std::uint32_t FieldMessageId(FieldRule rule, FieldFault fault);

}  // namespace profile
