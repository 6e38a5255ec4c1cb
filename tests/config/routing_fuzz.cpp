// Fuzz target: VROUTE.INI text through the routing reader, for a fixed
// section and for the first section the text names.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/routing/routing_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace config::routing;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string section = "S";
    if (const auto open = text.find('['); open != std::string::npos)
        section = text.substr(open + 1, text.find(']', open) - open - 1);
    for (const std::string& name : {std::string("S"), section}) {
        const VoiceRouting r = ParseVoiceRouting(text, name);
        for (const std::int32_t code : r.offered1)
            if (code < kPort1 || code > kNotAnswered) __builtin_trap();
        for (const MappingLine& line : r.lines)
            if (!r.find(line.handling) || !r.apply(line.destinations)) __builtin_trap();
        if (r.defaultPair) (void)r.apply(*r.defaultPair);
    }
    return 0;
}
