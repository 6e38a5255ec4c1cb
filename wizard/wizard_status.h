#pragma once
// Status codes of the wizard library's data-file readers.
#include <cstdint>

namespace wizard {

inline constexpr std::int32_t kWizOk = 0;
// A pattern applies to another area code than the one entered.
inline constexpr std::int32_t kPatternNotApplicable = 200;
// The key list of "Area Code Formats", one of its values, or the number of
// keys is larger than the reader's table holds.
inline constexpr std::int32_t kAreaCodeListTooLong = 13011;
// A pattern's mode letter is neither E nor I (or the pattern ends before it).
inline constexpr std::int32_t kPatternBadMode = 13012;

}  // namespace wizard
