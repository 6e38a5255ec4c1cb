#include "profile/field_rules.h"

#include <array>
#include <cctype>

namespace profile {

namespace {

constexpr std::size_t kMaxNumberDigits = 20;
constexpr std::size_t kMaxX25Address = 15;
// A file value holds at most 99 characters; the facilities come in octets.
constexpr std::size_t kMaxFacilityDigits = 98;
constexpr std::size_t kMaxFeatureKey = 5;
constexpr std::size_t kMaxProfileName = 40;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Characters other than spaces must satisfy `allowed`; spaces pass only when
// `spaces` is set and do not count against `maxLength`.
template <typename Allowed>
FieldFault CheckCharacters(std::string_view text, Allowed allowed, bool spaces,
                           std::size_t maxLength) {
    std::size_t counted = 0;
    for (char c : text) {
        if (spaces && c == ' ') continue;
        if (!allowed(c)) return FieldFault::BadCharacter;
        ++counted;
    }
    return counted > maxLength ? FieldFault::TooLong : FieldFault::None;
}

// Length in code points of UTF-8 text free of control characters, or
// nothing when the text is not such.
std::optional<std::size_t> PrintableLength(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        std::uint32_t code = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            code = lead & 0x07u;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            extra = 2;
            code = lead & 0x0Fu;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            extra = 1;
            code = lead & 0x1Fu;
        } else if (lead >= 0x80) {
            return std::nullopt;
        }
        if (i + extra >= text.size() && extra > 0) return std::nullopt;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80u) return std::nullopt;
            code = (code << 6) | (next & 0x3Fu);
        }
        // Overlong forms, surrogates and code points beyond Unicode.
        static constexpr std::array<std::uint32_t, 4> kLowest = {0, 0x80, 0x800, 0x10000};
        if (code < kLowest[extra] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return std::nullopt;
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029)
            return std::nullopt;
        i += extra + 1;
    }
    return count;
}

constexpr std::array<std::int32_t, 3> kProOptions = {0, 1, 6};
constexpr std::array<std::int32_t, 5> kDeviceKinds = {1, 2, 4, 8, 16};

constexpr FieldInfo Range(const char* key, std::int32_t min, std::int32_t max) {
    return {key, FieldRule::Number, min, max};
}
constexpr FieldInfo Byte(const char* key) {
    return Range(key, 0, 255);
}
constexpr FieldInfo Flag(const char* key) {
    return Range(key, 0, 1);
}
constexpr FieldInfo Text(const char* key, FieldRule rule) {
    return {key, rule};
}

// Profile file order, then the settings only the adapter holds.
const std::array<FieldInfo, 52> kProfileFields = {{
    Text("Profile Name", FieldRule::ProfileName),
    Range("Connect Type", 9, 12),
    Flag("Data Over Voice"),
    Byte("Dynamic Bandwidth Allocation"),
    Byte("Region"),
    Byte("Port Settings"),
    Text("Primary Number1", FieldRule::DirectoryNumber),
    Text("Primary Number2", FieldRule::DirectoryNumber),
    Text("Primary SPID1", FieldRule::Spid),
    Text("Primary SPID2", FieldRule::Spid),
    Text("X.25 DTE Address", FieldRule::X25Address),
    Byte("Primary SwitchType"),
    Byte("Primary Non-Initialised Terminal Mode 1"),
    Byte("Primary Non-Initialised Terminal Mode 2"),
    Flag("POTS Available"),
    Byte("Voice Mail POTS 1"),
    Byte("Voice Mail POTS 2"),
    Byte("Audio POTS 1"),
    Byte("Audio POTS 2"),
    Byte("Distinct Ring POTS 1"),
    Byte("Distinct Ring POTS 2"),
    Byte("Supplementary Services POTS 1"),
    Byte("Supplementary Services POTS 2"),
    Byte("Dial Access POTS 1"),
    Byte("Dial Access POTS 2"),
    Byte("Mode POTS 1"),
    Byte("Mode POTS 2"),
    Byte("Call Waiting POTS 1"),
    Byte("Call Waiting POTS 2"),
    Byte("Abbreviated Ring for VMWI POTS 1"),
    Byte("Abbreviated Ring for VMWI POTS 2"),
    Text("Call Conference Key", FieldRule::FeatureKey),
    Text("Call Drop Key", FieldRule::FeatureKey),
    Text("VMWI Key", FieldRule::FeatureKey),
    Range("VMWI Refresh Time", 0, 65535),
    Text("X25 Facilities", FieldRule::X25Facilities),
    Flag("AODI Supported"),
    Flag("AODI"),
    Byte("X25 Version"),
    Byte("Bandwidth Allocation Control Protocol"),
    Range("Bandwidth Allocation Protocol Start Interval", 0, 65535),
    Range("Bandwidth Allocation Protocol Repeat Interval", 0, 65535),
    Range("Delay Open B1", 0, 60),
    Range("Delay Open B2", 0, 60),
    Range("Threshold Open B1", 0, 100),
    Range("Threshold Open B2", 0, 100),
    Range("Threshold Close B1", 0, 100),
    Range("Threshold Close B2", 0, 100),
    Byte("T1 Setting"),
    Byte("T2 Setting"),
    Text("N5 Text", FieldRule::IsdnNumber),
    {"Pro Option", FieldRule::Number, 0, 6, kProOptions},
}};

const std::array<FieldInfo, 3> kGeneralFields = {{
    {"Device Type", FieldRule::Number, 1, 16, kDeviceKinds},
    Range("Default Profile", 0, 2),
    Flag("ISDN Type"),
}};

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const FieldInfo* FindIn(std::span<const FieldInfo> fields, std::string_view key) {
    for (const FieldInfo& field : fields)
        if (EqualNoCase(field.key, key)) return &field;
    // The older spelling a file may carry.
    if (EqualNoCase(key, "BandWidth Allocation Control Protocol"))
        return FindIn(fields, "Bandwidth Allocation Control Protocol");
    return nullptr;
}

}  // namespace

FieldFault CheckIsdnNumber(std::string_view text) {
    return CheckCharacters(
        text, [](char c) { return IsDigit(c) || c == '*' || c == '#'; }, true, kMaxNumberDigits);
}

FieldFault CheckSpid(std::string_view text) {
    return CheckCharacters(text, IsDigit, true, kMaxNumberDigits);
}

FieldFault CheckX25Address(std::string_view text) {
    return CheckCharacters(
        text, [](char c) { return IsDigit(c) || c == '-'; }, false, kMaxX25Address);
}

FieldFault CheckX25Facilities(std::string_view text) {
    const FieldFault fault = CheckCharacters(
        text, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }, false,
        kMaxFacilityDigits);
    if (fault != FieldFault::None) return fault;
    return text.size() % 2 != 0 ? FieldFault::OddLength : FieldFault::None;
}

FieldFault CheckFeatureKey(std::string_view text) {
    return CheckCharacters(text, IsDigit, false, kMaxFeatureKey);
}

FieldFault CheckProfileName(std::string_view text) {
    const auto length = PrintableLength(text);
    if (!length) return FieldFault::BadCharacter;
    return *length > kMaxProfileName ? FieldFault::TooLong : FieldFault::None;
}

std::optional<std::int32_t> ParseFieldNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    // Ten digits reach past the 32-bit range; leading zeros do not count.
    while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

FieldFault CheckFieldValue(const FieldInfo& field, std::string_view value) {
    switch (field.rule) {
        case FieldRule::Number: {
            const auto number = ParseFieldNumber(value);
            if (!number) return FieldFault::NotANumber;
            if (*number < field.min || *number > field.max) return FieldFault::OutOfRange;
            if (field.choices.empty()) return FieldFault::None;
            for (std::int32_t choice : field.choices)
                if (choice == *number) return FieldFault::None;
            return FieldFault::OutOfRange;
        }
        case FieldRule::IsdnNumber:
            return CheckIsdnNumber(value);
        case FieldRule::DirectoryNumber: {
            // Outside North America a port's second number follows a ';'.
            if (const std::size_t cut = value.find(';'); cut != std::string_view::npos) {
                const std::string_view first = value.substr(0, cut), second = value.substr(cut + 1);
                if (first.empty() || second.empty()) return FieldFault::BadCharacter;
                const FieldFault fault = CheckIsdnNumber(first);
                return fault != FieldFault::None ? fault : CheckIsdnNumber(second);
            }
            const FieldFault fault = CheckIsdnNumber(value);
            if (fault == FieldFault::None || CheckX25Address(value) == FieldFault::None)
                return FieldFault::None;
            return fault;
        }
        case FieldRule::Spid:
            return CheckSpid(value);
        case FieldRule::X25Address:
        case FieldRule::PacketNumber:
            return CheckX25Address(value);
        case FieldRule::X25Facilities:
            return CheckX25Facilities(value);
        case FieldRule::FeatureKey:
            return CheckFeatureKey(value);
        case FieldRule::ProfileName:
            return CheckProfileName(value);
    }
    return FieldFault::BadCharacter;
}

std::span<const FieldInfo> ProfileFieldList() {
    return kProfileFields;
}

std::span<const FieldInfo> GeneralFieldList() {
    return kGeneralFields;
}

const FieldInfo* FindProfileField(std::string_view key) {
    return FindIn(kProfileFields, key);
}

const FieldInfo* FindGeneralField(std::string_view key) {
    return FindIn(kGeneralFields, key);
}

std::string FieldRuleText(const FieldInfo& field) {
    switch (field.rule) {
        case FieldRule::Number: {
            if (field.choices.empty())
                return std::to_string(field.min) + " bis " + std::to_string(field.max);
            std::string text;
            for (std::size_t i = 0; i < field.choices.size(); ++i) {
                if (i > 0) text += i + 1 == field.choices.size() ? " oder " : ", ";
                text += std::to_string(field.choices[i]);
            }
            return text;
        }
        case FieldRule::IsdnNumber:
            return "Ziffern, '*', '#' und Leerzeichen, höchstens 20 Zeichen ohne Leerzeichen";
        case FieldRule::DirectoryNumber:
            return "ISDN-Nummer (Ziffern, '*', '#' und Leerzeichen, höchstens 20 Zeichen ohne "
                   "Leerzeichen), auch mit einer zweiten Nummer des Ports nach ';', oder "
                   "Paket-Rufnummer (Ziffern und '-', höchstens 15 Zeichen)";
        case FieldRule::Spid:
            return "Ziffern und Leerzeichen, höchstens 20 Zeichen ohne Leerzeichen";
        case FieldRule::X25Address:
        case FieldRule::PacketNumber:
            return "Ziffern und '-', höchstens 15 Zeichen";
        case FieldRule::X25Facilities:
            return "gerade Anzahl hexadezimaler Ziffern, höchstens 98";
        case FieldRule::FeatureKey:
            return "höchstens 5 Ziffern";
        case FieldRule::ProfileName:
            return "höchstens 40 druckbare Zeichen ohne Zeilenumbruch";
    }
    return {};
}

std::string FieldFaultText(FieldFault fault) {
    switch (fault) {
        case FieldFault::None:
            return {};
        case FieldFault::BadCharacter:
            return "unzulässiges Zeichen";
        case FieldFault::TooLong:
            return "zu lang";
        case FieldFault::OddLength:
            return "ungerade Anzahl hexadezimaler Ziffern";
        case FieldFault::NotANumber:
            return "keine Zahl";
        case FieldFault::OutOfRange:
            return "außerhalb des Wertebereichs";
    }
    return {};
}

std::uint32_t FieldMessageId(FieldRule rule, FieldFault fault) {
    const bool tooLong = fault == FieldFault::TooLong;
    if (fault == FieldFault::None) return 0;
    switch (rule) {
        case FieldRule::IsdnNumber:
        case FieldRule::DirectoryNumber:
            return tooLong ? 1175 : 1172;
        case FieldRule::Spid:
            return tooLong ? 1174 : 1173;
        case FieldRule::X25Address:
            return tooLong ? 1533 : 1534;
        case FieldRule::PacketNumber:
            return tooLong ? 1538 : 1539;
        case FieldRule::X25Facilities:
            return 1525;
        case FieldRule::FeatureKey:
            return tooLong ? 57393 : 57392;
        case FieldRule::Number:
        case FieldRule::ProfileName:
            return 0;
    }
    return 0;
}

}  // namespace profile
