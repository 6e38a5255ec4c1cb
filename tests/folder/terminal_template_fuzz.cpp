// Fuzz target: template text through the terminal connection's filler, with
// a device path the port field holds and one made of the input's first line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "folder/terminal_connection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto installed = [](std::string_view program) { return program != "picocom"; };
    for (const std::string& device :
         {std::string("/dev/ttyS0"), std::string(text.substr(0, text.find('\n')))}) {
        std::string entry;
        if (FillTemplate(text, device, installed, entry) != TemplateFill::Ok) continue;
        // Exactly one command, carrying the device; no candidate line left.
        if (!PortFieldHolds(device)) __builtin_trap();
        const auto exec = entry.find("Exec=");
        if (exec == std::string::npos || entry.find(device, exec) == std::string::npos)
            __builtin_trap();
        if (entry.find(std::string("\n") + std::string(kExecKeyPrefix)) != std::string::npos ||
            entry.starts_with(kExecKeyPrefix))
            __builtin_trap();
    }
    return 0;
}
