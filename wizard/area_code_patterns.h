#pragma once
// AREACODE.INI: the SPID patterns from which the North-American wizard
// builds SPID candidates for a directory number.
//
// A pattern is "area:prefix,mode,suffix;" -- area a three-digit area code or
// "A" for all, prefix up to three characters placed first, mode I (the area
// code follows the prefix) or E (it is left out), suffix placed after the
// number. Example: "A:,I,0101;" turns area code 514 and number 7455500 into
// the SPID 51474555000101.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "wizard/wizard_export.h"

namespace wizard {

inline constexpr std::size_t kPatternEntrySize = 16;
inline constexpr std::size_t kMaxPatterns = 100;
inline constexpr std::size_t kPatternKeyBuffer = 900;

// The patterns in the order the file lists them, each as its value text.
struct AreaCodeTable {
    std::array<std::array<char, kPatternEntrySize>, kMaxPatterns> entries{};
    std::size_t count = 0;

    std::string_view entry(std::size_t index) const;
};

struct SpidPattern {
    std::string area;
    std::string prefix;
    bool includeArea = false;
    std::string suffix;
};

// Loads section "Area Code Formats" of the file. 0, or 13011 when the key
// list, a value or the number of keys does not fit the table; the patterns
// read before a value that did not fit stay in the table.
VELKA_WIZARD_EXPORT std::int32_t LoadAreaCodePatterns(const std::string& path,
                                                      AreaCodeTable& table);

// Splits one pattern (at most 16 characters are looked at). 0, or 13012 when
// the mode letter is neither E nor I or the text ends before it; `pattern`
// is left as it was on failure.
VELKA_WIZARD_EXPORT std::int32_t ParsePattern(std::string_view text, SpidPattern& pattern);

// The SPID candidates of a pattern for the area code the user entered and
// the two directory numbers. 0, or 200 when the pattern is for another area
// code (the candidates are then left as they were).
VELKA_WIZARD_EXPORT std::int32_t BuildSpidCandidates(
    const SpidPattern& pattern, std::string_view areaCode, std::string_view number1,
    std::string_view number2, std::string& candidate1, std::string& candidate2);

}  // namespace wizard
