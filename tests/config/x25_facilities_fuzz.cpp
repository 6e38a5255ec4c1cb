// Fuzz target: any facility text reads and writes back unchanged, and the
// check of the "Andere" text never reads past its end.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/pages/x25_facilities.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace config::pages;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (WriteX25Facilities(ReadX25Facilities(text)) != text) __builtin_trap();
    std::string other = text;
    (void)CheckOtherFacilities(other);
    return 0;
}
