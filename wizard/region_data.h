#pragma once
// Readers of REGION.INI: which switch types a region offers ("Switch
// Types") and which region belongs to a keyboard layout ("Keyboard Regional
// Settings"). Values are lists of decimal codes separated by spaces, commas
// or semicolons; each value is read into a 100-byte buffer like every
// private-profile value of the suite.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wizard/wizard_export.h"

namespace wizard {

inline constexpr std::size_t kListValueBuffer = 100;
inline constexpr std::size_t kMaxSwitchTypes = 10;

// The codes of a list value, at most `limit` of them. A token converts like
// atoi: its leading digits, 0 without any.
VELKA_WIZARD_EXPORT std::vector<std::int32_t> ParseCodeList(std::string_view text,
                                                            std::size_t limit);

// Up to 10 switch-type codes of a region; empty when the region has no key
// (or the file is missing).
VELKA_WIZARD_EXPORT std::vector<std::int32_t> SwitchTypesOfRegion(const std::string& path,
                                                                  std::int32_t region);

// The lookup key of a keyboard layout: the last four characters of its name
// ("00000407" -> "0407"); a shorter name is its own key.
VELKA_WIZARD_EXPORT std::string LayoutKey(std::string_view layoutName);

// The region of a keyboard layout (a full layout name or its four-character
// key); nothing when the file does not name the layout or names no code.
VELKA_WIZARD_EXPORT std::optional<std::int32_t> RegionOfKeyboardLayout(const std::string& path,
                                                                       std::string_view layout);

}  // namespace wizard
