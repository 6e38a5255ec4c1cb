#pragma once
// The region list the adapter answers to "atI100": "Name:code;" entries,
// possibly over several lines, ending with "OK". Pure.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace config::pages {

struct RegionEntry {
    std::string name;
    std::int32_t code = 0;
};

std::vector<RegionEntry> ParseRegionList(std::string_view text);

}  // namespace config::pages
