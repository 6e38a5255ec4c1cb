// tactl map / ports / speed: the COM names of the store and the best speed
// of a port.
//   tactl map COMn GERÄT   record COMn for a device path
//   tactl ports            list the COM names and their devices
//   tactl speed COMn       find the fastest speed the adapter answers at
#include <strings.h>

#include <cstdio>
#include <filesystem>
#include <optional>
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

// "COM1" to "COM256", without leading zeros.
bool isComName(const std::string& name) {
    std::uint32_t number = 0;
    if (platform::parseComNumber(name, number)) return true;
    return strcasecmp(name.c_str(), "COM256") == 0;
}

// A device path: absolute, one line, and the real device behind a link, so
// that one device gets one name however it is spelled.
std::optional<std::string> devicePath(const std::string& path) {
    if (path.empty() || path[0] != '/' || path.find('\\') != std::string::npos) return std::nullopt;
    for (unsigned char c : path)
        if (c < 0x20 || c == 0x7F) return std::nullopt;
    std::error_code ec;
    const auto real = std::filesystem::canonical(path, ec);
    return ec ? path : real.string();
}

}  // namespace

int runMap(const Args& args) {
    constexpr const char* kLine = "tactl map COMn GERÄT   (z. B. tactl map COM3 /dev/ttyUSB0)";
    if (wantsHelp(args)) {
        std::printf("Aufruf: %s\n", kLine);
        return kExitOk;
    }
    const auto device = args.size() == 2 ? devicePath(args[1]) : std::nullopt;
    if (args.size() != 2 || !isComName(args[0]) || !device) {
        std::fputs("FEHLER: Erwartet werden ein Name COM1 bis COM256 und ein Gerätepfad.\n\n",
                   stderr);
        return usage(kLine);
    }
    if (std::int32_t rc = platform::mapPortName(args[0], *device); rc != platform::kOk) {
        std::fprintf(stderr,
                     rc == platform::kAccessDenied
                         ? "FEHLER: %s gehört einem laufenden Programm (Simulator).\n"
                         : "FEHLER: Die Zuordnung von %s konnte nicht gespeichert werden.\n",
                     args[0].c_str());
        return kExitFailed;
    }
    std::printf("%s %s\n", args[0].c_str(), device->c_str());
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
