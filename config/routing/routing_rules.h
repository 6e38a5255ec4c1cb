#pragma once
// Where incoming calls on each of the two ISDN numbers go. Voice calls
// follow the table of VROUTE.INI for the device variant and the numbers its
// telephone ports and modem use; data calls follow a fixed rule. Each number
// keeps its choice in its routing byte of the profile (T1, T2).
//
// Pure: text in, values out. The file is read by LoadVoiceRouting only.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace config::routing {

// Destination codes, as the drop-downs carry them.
enum Destination : std::int32_t {
    kPort1 = 0,
    kPort2 = 1,
    kBothPorts = 2,
    kPc = 3,
    kModem = 4,
    kNotAnswered = 5,
};

// (number 1, number 2): destinations, handling values or number assignments.
using Pair = std::pair<std::int32_t, std::int32_t>;

// "P1", "P2", "P1&2", "PC", "M"; any other token is "not answered".
std::int32_t DestinationOfToken(std::string_view token);
// The German name shown for a destination (UTF-8).
const char* DestinationName(std::int32_t code);
// What the voice column shows for a destination while the telephone ports
// are on or off: a port that is off does not answer, and both ports with
// one of them off are the other one.
std::int32_t DisplayedVoiceDestination(std::int32_t code, bool port1On, bool port2On);

// Routing byte: bit 3 voice handling 1, bit 1 voice handling 2, bit 0 data.
std::int32_t VoiceHandling(std::uint8_t byte);
std::int32_t DataHandling(std::uint8_t byte);
void SetVoiceHandling(std::uint8_t& byte, std::int32_t handling);
// 1 sets bit 0, 0 clears it, anything else leaves it.
void SetDataHandling(std::uint8_t& byte, std::int32_t handling);

// Device variants and their section prefixes.
enum Variant : std::int32_t {
    kVariantBox = 0,        // TA_MODEM_
    kVariantBoxNoPots = 1,  // TA_MODEM_NOPOTS_
    kVariantPro = 2,        // TA_PRO_
    kVariantProNoPots = 3,  // TA_PRO_NOPOTS_
    kVariantNone = -1,
};
std::int32_t VariantOf(std::int32_t deviceKind, std::int32_t potsAvailable);

// The numbers the ports, the modem (or voice to the PC) and data use; each
// 1 or 2, or no value when the page's choice names no number.
struct Assignments {
    std::optional<std::int32_t> p1, p2, m1, m2, d1, d2;
};
// The numbers of a number-assignment choice of the data and voice/modem
// pages: 0 the first number (1, 1), 1 the second (2, 2), 2 both (1, 2).
std::optional<Pair> NumbersOfChoice(std::int32_t choice);
// "" for a variant without a routing table.
std::string SectionName(std::int32_t variant, const Assignments& assignments);

// One line of a section: destinations and the handling values they set.
struct MappingLine {
    Pair destinations;
    Pair handling;
};

struct VoiceRouting {
    std::vector<std::int32_t> offered1, offered2;
    std::optional<Pair> defaultPair;
    std::vector<MappingLine> lines;

    // The destinations of the first line with these handling values.
    std::optional<Pair> find(Pair handling) const;
    // The handling values of the first line with these destinations.
    std::optional<Pair> apply(Pair destinations) const;
};

// Reads a section of VROUTE.INI given as the file's text, with the reader's
// buffer limits: 500 bytes for the section, 100 characters per line and for
// "Entries". A missing section gives empty lists, no default and no lines.
VoiceRouting ParseVoiceRouting(std::string_view iniText, std::string_view section);
VoiceRouting LoadVoiceRouting(const std::string& path, std::string_view section);

// The fixed rule for data calls, by the data assignment (d1, d2).
struct DataRouting {
    std::vector<std::int32_t> offered1, offered2;
    Pair defaultPair;
    // Data handling bits (bit 0 of each byte) <-> destinations.
    std::vector<std::pair<Pair, Pair>> table;  // (destinations, bits)

    std::optional<Pair> find(Pair bits) const;
    std::optional<Pair> apply(Pair destinations) const;
};
std::optional<DataRouting> DataRule(Pair assignment);

}  // namespace config::routing
