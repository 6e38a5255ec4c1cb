// Fuzz target: arbitrary bytes from the host into the simulated adapter, in
// every device kind and firmware state, through the loader and its receiver;
// the same bytes as a command line, a state file and a firmware image.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/adapter.h"
#include "sim/command_parser.h"
#include "sim/firmware_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<sim::Command> cmds;
    sim::parseCommandLine(input, cmds);
    std::string version;
    sim::findFirmwareVersion(input, version);
    if (size == 0) return 0;

    const std::uint8_t sel = data[0];
    static constexpr sim::Kind kKinds[] = {sim::Kind::Box, sim::Kind::Box6F,  sim::Kind::Pro,
                                           sim::Kind::Pci, sim::Kind::PcCard, sim::Kind::Other};
    sim::Scenario sc = sim::defaultScenario(kKinds[sel % 6], (sel & 8) != 0);
    sc.firmware = static_cast<sim::Firmware>((sel >> 4) % 3);
    sc.xmodemCrc = (sel & 0x40) != 0;
    sim::Adapter adapter(sc);
    adapter.loadState(input.substr(1));

    std::uint64_t now = 0;
    std::string_view rest = input.substr(1);
    if (sel & 0x80) {
        // Straight into the loader, so the receiver gets the rest.
        adapter.receive("at@load\ry\r", 57600, now);
        now += 5000;
        adapter.poll(now);
    }
    // Chunks of varying size, with time passing between them.
    while (!rest.empty()) {
        const std::size_t n =
            std::min<std::size_t>(rest.size(), 1 + static_cast<std::uint8_t>(rest[0]) % 64 * 17);
        adapter.receive(rest.substr(0, n), 57600, now);
        rest.remove_prefix(n);
        now += 700;
        adapter.poll(now);
    }
    for (int i = 0; i < 3; ++i) {
        now = std::max(now + 1, std::min<std::uint64_t>(adapter.nextDeadline(), now + 60000));
        adapter.poll(now);
    }
    return 0;
}
