// A file type's command comes from the store, which any program may write.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/waitable_process.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    std::size_t total = 0;
    for (const std::string& arg : platform::splitCommandLine(line)) total += arg.size();
    // Only blanks between arguments and quotes are dropped, nothing is added.
    if (total > line.size()) __builtin_trap();
    return 0;
}
