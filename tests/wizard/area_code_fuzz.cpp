// Fuzz target: SPID patterns and region code lists from the data files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "wizard/area_code_patterns.h"
#include "wizard/region_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    wizard::SpidPattern pattern;
    if (wizard::ParsePattern(text, pattern) == 0) {
        // Nothing beyond the 16 characters of a table entry is ever taken.
        if (pattern.area.size() + pattern.prefix.size() + pattern.suffix.size() > 16)
            __builtin_trap();
        std::string first, second;
        (void)wizard::BuildSpidCandidates(pattern, text.substr(0, 3), text, "1", first, second);
    }
    if (wizard::ParseCodeList(text, 10).size() > 10) __builtin_trap();
    return 0;
}
