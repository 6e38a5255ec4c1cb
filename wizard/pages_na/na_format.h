#pragma once
// How the North-American pages show and store what the user typed or the
// line offered: directory numbers, the protocol, empty values, the region
// list of the adapter and the finish pages' summary. Pure.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wizard::na {

// "(514)  555 - 0101" for ten digits, "555 - 0101" for seven, anything else
// as it is.
std::string FormatDirectoryNumber(std::string_view number);

// What the number pages store: digits and ";" only.
std::string KeepDigitsAndSemicolons(std::string_view typed);

// The text of a number field while the user types with area-code SPIDs:
// " - " after the third digit, wherever the user put (or removed) it.
std::string WithExchangeDash(std::string_view typed);

// "V.110", "PPP", "V.120", "MultiLink PPP (MLPPP)"; empty for another type.
std::string ProtocolName(std::int32_t connectionType);

// The text itself, or "[Nicht spezifiziert]" for an empty one.
std::string OrUnspecified(std::string_view text);

struct RegionItem {
    std::string name;
    std::int32_t code = 0;
};

// The drop-down of a region page from the adapter's region list
// ("Canada:25;United States:0;\r\nOK"): everything before the first
// `firstLetter` is skipped; names are trimmed.
std::vector<RegionItem> ParseRegionItems(std::string_view list, char firstLetter);

// The name the list gives `code`; empty when it does not name it.
std::string RegionName(std::string_view list, std::int32_t code);

// What a finish page shows.
struct FinishInput {
    std::string regionName;
    std::int32_t connectionType = 0;
    std::string number1, number2, spid1, spid2;
    bool twoNumbers = false;
    bool knownKind = false;
    bool online = true;
    bool withSpids = true;  // CWizFinish; CWizFinishNoSPIDs shows no SPIDs
};

struct FinishSummary {
    std::string region;
    std::string protocol;
    std::string number1, number2, spid1, spid2;
    bool secondRow = false;
    std::uint32_t closingText = 0;
};

FinishSummary MakeFinishSummary(const FinishInput& in);

}  // namespace wizard::na
