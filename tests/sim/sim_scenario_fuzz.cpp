// Fuzz target: scenario file text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::Scenario s;
    std::string error;
    sim::parseScenario(std::string_view(reinterpret_cast<const char*>(data), size), s, error);
    // Typical section starts, so the mutations reach the key readers.
    static const char* kHeads[] = {"[device]\n", "[faults]\n", "[line]\n", "[factory]\n",
                                   "[profile1]\n"};
    std::string text = kHeads[size % 5];
    text.append(reinterpret_cast<const char*>(data), size);
    sim::parseScenario(text, s, error);
    return 0;
}
