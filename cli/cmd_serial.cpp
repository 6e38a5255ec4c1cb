// tactl map / ports / speed: the COM names of the store and the best speed
// of a port.
//   tactl map COMn GERÄT   record COMn for a device path
//   tactl ports            list the COM names and their devices
//   tactl speed COMn       find the fastest speed the adapter answers at
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "platform/named_mutex.h"
#include "platform/serial_port.h"
#include "platform/status_codes.h"
#include "serial/com_link.h"
#include "serial/com_speed.h"

namespace cli {

namespace {

int usage(const char* line) {
    std::fprintf(stderr, "Aufruf: %s\n", line);
    return kExitUsage;
}

bool wantsHelp(const Args& args) {
    return !args.empty() && (args[0] == "help" || isSwitch(args[0], "?") || args[0] == "--help");
}

}  // namespace

int runMap(const Args& args) {
    constexpr const char* kLine = "tactl map COMn GERÄT   (z. B. tactl map COM3 /dev/ttyUSB0)";
    if (wantsHelp(args)) {
        std::printf("Aufruf: %s\n", kLine);
        return kExitOk;
    }
    if (args.size() != 2 || args[0].empty() || args[0][0] == '/' || args[1].empty() ||
        args[1][0] != '/')
        return usage(kLine);
    if (std::int32_t rc = platform::mapPortName(args[0], args[1]); rc != platform::kOk) {
        std::fprintf(stderr, "FEHLER: Die Zuordnung konnte nicht gespeichert werden (Code %d).\n",
                     static_cast<int>(rc));
        return kExitFailed;
    }
    std::printf("%s %s\n", args[0].c_str(), args[1].c_str());
    return kExitOk;
}

int runPorts(const Args& args) {
    if (wantsHelp(args)) {
        std::puts("Aufruf: tactl ports");
        return kExitOk;
    }
    if (!args.empty()) return usage("tactl ports");
    std::vector<std::pair<std::string, std::string>> ports;
    if (std::int32_t rc = platform::listPortNames(ports); rc != platform::kOk) {
        std::fprintf(stderr, "FEHLER: Die Anschlüsse konnten nicht gelesen werden (Code %d).\n",
                     static_cast<int>(rc));
        return kExitFailed;
    }
    for (const auto& [com, device] : ports) std::printf("%s %s\n", com.c_str(), device.c_str());
    return kExitOk;
}

int runSpeed(const Args& args) {
    constexpr const char* kLine = "tactl speed COMn";
    if (wantsHelp(args)) {
        std::printf("Aufruf: %s\n", kLine);
        return kExitOk;
    }
    if (args.size() != 1 || args[0].empty()) return usage(kLine);
    const std::string& port = args[0];

    // The walk opens and closes the port at every step; a folder or monitor
    // that took the adapter in between would end it early, and the lower
    // speed would be stored as the port's best.
    platform::NamedMutex mutex(platform::kDeviceAccessMutex);
    if (!lockDevices(mutex)) return kExitFailed;
    CComLink link;
    std::uint32_t speed = 0;
    // Stored as the device folder does: only when the setting is on, so a
    // store without it keeps whatever speed it had.
    const std::int32_t rc =
        serial::DetectAndStoreComSpeed(link, port, 0, serial::kMissingMeansOff, speed);
    mutex.unlock();
    if (rc != serial::kLinkOk) {
        std::printf("error=%d\n", static_cast<int>(rc));
        // The link's own codes come from opening the port; any other from
        // the store that was to keep the speed.
        if (rc >= serial::kLinkEventFailed && rc <= serial::kLinkMatchListFull)
            std::fprintf(stderr,
                         "FEHLER: Der Anschluss %s kann nicht geöffnet werden (Code %d: %s).\n",
                         port.c_str(), static_cast<int>(rc), status::statusText(rc).c_str());
        else
            std::fprintf(
                stderr,
                "FEHLER: Die Geschwindigkeit %u konnte nicht gespeichert werden (Code %d: %s).\n",
                speed, static_cast<int>(rc), status::statusText(rc).c_str());
        return kExitFailed;
    }
    std::printf("speed=%u\n", speed);
    if (speed > 0) return kExitOk;
    std::fprintf(stderr, "FEHLER: Das Gerät an %s hat bei keiner Geschwindigkeit geantwortet.\n",
                 port.c_str());
    return kExitFailed;
}

}  // namespace cli
