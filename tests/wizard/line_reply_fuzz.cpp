// Fuzz target: the adapter's answers to the line detection's commands.
#include <cstddef>
#include <cstdint>
#include <string>

#include "wizard/line_detector.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string body, result;
    wizard::SplitResponse(text, "AT$I\r", body, result);
    if (body.size() + result.size() > text.size() + 2) __builtin_trap();

    wizard::LineStatus status;
    (void)wizard::ParseStatusListing(text, status);
    bool inUse = false;
    (void)wizard::ParseActivationListing(text, inUse);

    const std::int32_t kind = size > 0 ? data[0] : 1;
    for (const std::string& listing : {text, body}) {
        wizard::SpidList list;
        if (wizard::ParseSpidList(listing, kind, 12, list) != 0) continue;
        if (list.numbers.size() > wizard::kMaxNumbers) __builtin_trap();
        for (const wizard::NumberEntry& entry : list.numbers)
            if (entry.spids.empty() || entry.spids.size() > wizard::kMaxSpidsPerNumber)
                __builtin_trap();
    }
    return 0;
}
