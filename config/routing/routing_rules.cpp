#include "config/routing/routing_rules.h"

#include <algorithm>

#include "platform/ini_detail.h"
#include "platform/ini_file.h"

namespace config::routing {

namespace {

constexpr std::size_t kSectionBuffer = 500;
constexpr std::size_t kLineLimit = 100;
constexpr std::size_t kEntriesBuffer = 100;
constexpr std::uint8_t kVoiceBit1 = 0x08;
constexpr std::uint8_t kVoiceBit2 = 0x02;
constexpr std::uint8_t kDataBit = 0x01;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::vector<std::int32_t> codesOf(std::string_view list) {
    std::vector<std::int32_t> codes;
    for (std::string_view token : split(list, ','))
        if (!token.empty()) codes.push_back(DestinationOfToken(token));
    return codes;
}

std::int32_t handlingOfToken(std::string_view token) {
    if (token == "T") return 1;
    if (token == "M") return 2;
    return 0;
}

// A value as the classic reader hands it over in a buffer of `size` bytes.
std::string bufferedValue(const std::string* value, std::string_view defaultText,
                          std::size_t size) {
    char buffer[kEntriesBuffer];
    const std::string_view text = value ? platform::ini::unquote(*value) : defaultText;
    const std::uint32_t length = platform::ini::detail::copyText(text, buffer, std::uint32_t(size));
    return std::string(buffer, length);
}

// The section's lines as a 500-byte section buffer holds them.
std::vector<std::string> sectionLines(const platform::ini::Document& doc,
                                      std::string_view section) {
    char buffer[kSectionBuffer];
    const std::uint32_t length =
        platform::ini::detail::copyList(doc.sectionLines(section), buffer, kSectionBuffer);
    std::vector<std::string> lines;
    for (std::string_view line : split(std::string_view(buffer, length), '\0'))
        if (!line.empty()) lines.emplace_back(line.substr(0, kLineLimit));
    return lines;
}

}  // namespace

std::int32_t DestinationOfToken(std::string_view token) {
    if (token == "P1") return kPort1;
    if (token == "P2") return kPort2;
    if (token == "P1&2") return kBothPorts;
    if (token == "PC") return kPc;
    if (token == "M") return kModem;
    return kNotAnswered;
}

const char* DestinationName(std::int32_t code) {
    switch (code) {
        case kPort1:
            return "Telefonport1";
        case kPort2:
            return "Telefonport2";
        case kBothPorts:
            return "Telefonports 1 & 2";
        case kPc:
            return "PC";
        case kModem:
            return "Modem";
        default:
            return "Nicht beantwortet";
    }
}

std::int32_t DisplayedVoiceDestination(std::int32_t code, bool port1On, bool port2On) {
    switch (code) {
        case kPort1:
            return port1On ? kPort1 : kNotAnswered;
        case kPort2:
            return port2On ? kPort2 : kNotAnswered;
        case kBothPorts:
            if (port1On && port2On) return kBothPorts;
            if (port1On) return kPort1;
            return port2On ? kPort2 : kNotAnswered;
        default:
            return code;
    }
}

std::int32_t VoiceHandling(std::uint8_t byte) {
    if (byte & kVoiceBit1) return 1;
    return (byte & kVoiceBit2) ? 2 : 0;
}

std::int32_t DataHandling(std::uint8_t byte) {
    return byte & kDataBit;
}

void SetVoiceHandling(std::uint8_t& byte, std::int32_t handling) {
    byte &= std::uint8_t(~(kVoiceBit1 | kVoiceBit2));
    if (handling == 1) byte |= kVoiceBit1;
    if (handling == 2) byte |= kVoiceBit2;
}

void SetDataHandling(std::uint8_t& byte, std::int32_t handling) {
    if (handling == 1) byte |= kDataBit;
    if (handling == 0) byte &= std::uint8_t(~kDataBit);
}

std::int32_t VariantOf(std::int32_t deviceKind, std::int32_t potsAvailable) {
    switch (deviceKind) {
        case 1:
        case 4:
            return potsAvailable ? kVariantBox : kVariantBoxNoPots;
        case 8:
        case 16:
            return kVariantBoxNoPots;
        case 2:
            return potsAvailable ? kVariantPro : kVariantProNoPots;
        default:
            return kVariantNone;
    }
}

std::optional<Pair> NumbersOfChoice(std::int32_t choice) {
    switch (choice) {
        case 0:
            return Pair{1, 1};
        case 1:
            return Pair{2, 2};
        case 2:
            return Pair{1, 2};
        default:
            return std::nullopt;
    }
}

std::string SectionName(std::int32_t variant, const Assignments& a) {
    auto dn = [](const std::optional<std::int32_t>& n) {
        return "DN" + (n ? std::to_string(*n) : std::string());
    };
    switch (variant) {
        case kVariantBox:
            return "TA_MODEM_" + dn(a.p1) + dn(a.p2) + dn(a.m1) + dn(a.m2);
        case kVariantBoxNoPots:
            return "TA_MODEM_NOPOTS_" + dn(a.m1) + dn(a.m2);
        case kVariantPro:
            return "TA_PRO_" + dn(a.p1) + dn(a.m1) + dn(a.m2);
        case kVariantProNoPots:
            return "TA_PRO_NOPOTS_" + dn(a.m1) + dn(a.m2);
        default:
            return {};
    }
}

std::optional<Pair> VoiceRouting::find(Pair handling) const {
    for (const MappingLine& line : lines)
        if (line.handling == handling) return line.destinations;
    return std::nullopt;
}

std::optional<Pair> VoiceRouting::apply(Pair destinations) const {
    for (const MappingLine& line : lines)
        if (line.destinations == destinations) return line.handling;
    return std::nullopt;
}

VoiceRouting ParseVoiceRouting(std::string_view iniText, std::string_view section) {
    VoiceRouting routing;
    if (section.empty()) return routing;
    const platform::ini::Document doc = platform::ini::Document::parse(iniText);

    const std::string entries = bufferedValue(doc.find(section, "Entries"), "", kEntriesBuffer);
    const std::size_t semicolon = entries.find(';');
    routing.offered1 = codesOf(std::string_view(entries).substr(0, semicolon));
    if (semicolon != std::string::npos)
        routing.offered2 = codesOf(std::string_view(entries).substr(semicolon + 1));

    const std::string selection =
        bufferedValue(doc.find(section, "Selection1"), "Default", kEntriesBuffer);
    if (selection != "Default") {
        const auto tokens = split(selection, ',');
        if (tokens.size() >= 2)
            routing.defaultPair =
                Pair{DestinationOfToken(tokens[0]), DestinationOfToken(tokens[1])};
    }

    for (const std::string& line : sectionLines(doc, section)) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string_view key = std::string_view(line).substr(0, eq);
        // The default pair is not a mapping: read as one, its missing handling
        // tokens would make it the line for "no handling" on both numbers.
        if (platform::ini::detail::sameName(key, "Entries") ||
            platform::ini::detail::sameName(key, "Selection1"))
            continue;
        const auto tokens = split(std::string_view(line).substr(eq + 1), ',');
        if (tokens.size() < 4) continue;
        routing.lines.push_back({{DestinationOfToken(tokens[0]), DestinationOfToken(tokens[1])},
                                 {handlingOfToken(tokens[2]), handlingOfToken(tokens[3])}});
    }
    return routing;
}

VoiceRouting LoadVoiceRouting(const std::string& path, std::string_view section) {
    return ParseVoiceRouting(platform::ini::fileText(path), section);
}

std::optional<Pair> DataRouting::find(Pair bits) const {
    for (const auto& [destinations, b] : table)
        if (b == bits) return destinations;
    return std::nullopt;
}

std::optional<Pair> DataRouting::apply(Pair destinations) const {
    for (const auto& [d, bits] : table)
        if (d == destinations) return bits;
    return std::nullopt;
}

std::optional<DataRouting> DataRule(Pair assignment) {
    const Pair off{kNotAnswered, kNotAnswered};
    if (assignment == Pair{1, 1})
        return DataRouting{{kPc, kNotAnswered},
                           {kNotAnswered},
                           {kPc, kNotAnswered},
                           {{{kPc, kNotAnswered}, {1, 1}}, {off, {0, 0}}}};
    if (assignment == Pair{1, 2} || assignment == Pair{2, 1})
        return DataRouting{{kPc, kNotAnswered},
                           {kPc, kNotAnswered},
                           {kPc, kPc},
                           {{{kPc, kPc}, {1, 1}},
                            {{kPc, kNotAnswered}, {1, 0}},
                            {{kNotAnswered, kPc}, {0, 1}},
                            {off, {0, 0}}}};
    if (assignment == Pair{2, 2})
        return DataRouting{{kNotAnswered},
                           {kPc, kNotAnswered},
                           {kNotAnswered, kPc},
                           {{{kNotAnswered, kPc}, {1, 1}}, {off, {0, 0}}}};
    return std::nullopt;
}

}  // namespace config::routing
