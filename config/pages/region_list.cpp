#include "config/pages/region_list.h"

#include <cctype>

namespace config::pages {

std::vector<RegionEntry> ParseRegionList(std::string_view text) {
    std::vector<RegionEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(";\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view item = text.substr(start, end - start);
        const std::size_t colon = item.rfind(':');
        if (colon != std::string_view::npos && colon > 0 && colon + 1 < item.size()) {
            std::int32_t code = 0;
            bool digits = true;
            for (char c : item.substr(colon + 1)) {
                if (!std::isdigit(static_cast<unsigned char>(c)) || code > 100000) {
                    digits = false;
                    break;
                }
                code = code * 10 + (c - '0');
            }
            if (digits) entries.push_back({std::string(item.substr(0, colon)), code});
        }
        start = end + 1;
    }
    return entries;
}

}  // namespace config::pages
