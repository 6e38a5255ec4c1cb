// tactl status / tactl detect: the adapter status query and the search over
// all ports, in the name=value form that scripts and the demo read.
//   tactl status COMn
//   tactl detect
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "device/device_info.h"
#include "device/device_status.h"
#include "info/info.h"
#include "platform/named_mutex.h"
#include "platform/status_codes.h"
#include "platform/text_format.h"

namespace cli {

namespace {

constexpr const char* kStatusUsage = "Aufruf: tactl status COMn\n";
constexpr const char* kDetectUsage = "Aufruf: tactl detect\n";

void printRecord(const CDeviceInfo& d) {
    std::printf("port=%s\n", d.port);
    std::printf("openState=%d\n", static_cast<int>(d.openState));
    std::printf("type=%d\n", static_cast<int>(d.type));
    std::printf("region=%d\n", static_cast<int>(d.region));
    std::printf("firmwareState=%d\n", static_cast<int>(d.firmwareState));
    std::printf("v110Capable=%d\n", static_cast<int>(d.v110Capable));
    std::printf("identification=%s\n", platform::escapeControl(d.identification).c_str());
    std::printf("versionText=%s\n", platform::escapeControl(d.versionText).c_str());
    std::printf("lineText=%s\n", platform::escapeControl(d.lineText).c_str());
    std::printf("extraText=%s\n", platform::escapeControl(d.extraText).c_str());
}

bool wantsHelp(const Args& args) {
    return args.size() == 1 && (args[0] == "help" || args[0] == "--help" || args[0] == "/?");
}

}  // namespace

int runStatus(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kStatusUsage, stdout), kExitOk;
    if (args.size() != 1 || args[0].empty() || args[0].size() >= CDeviceInfo::kTextSize) {
        std::fputs(kStatusUsage, stderr);
        return kExitUsage;
    }
    auto device = std::make_unique<CDeviceInfo>();
    device->SetPort(args[0].c_str());

    platform::NamedMutex mutex(platform::kDeviceAccessMutex);
    if (!lockDevices(mutex)) return kExitFailed;
    const std::int32_t result = device->QueryStatus();
    mutex.unlock();

    std::printf("result=%d\n", static_cast<int>(result));
    printRecord(*device);
    if (result == 0) return kExitOk;
    std::fprintf(stderr, "FEHLER: %s (Code %d).\n",
                 device->openState == device::kOpenBusy
                     ? "Der Anschluss wird von einem anderen Programm benutzt"
                     : status::statusText(result).c_str(),
                 static_cast<int>(result));
    return kExitFailed;
}

int runDetect(const Args& args) {
    if (wantsHelp(args)) return std::fputs(kDetectUsage, stdout), kExitOk;
    if (!args.empty()) {
        std::fputs(kDetectUsage, stderr);
        return kExitUsage;
    }
    std::array<std::unique_ptr<CDeviceInfo>, CInfo::kMaxSlots> records;
    std::array<CDeviceInfo*, CInfo::kMaxSlots> pointers{};
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i] = std::make_unique<CDeviceInfo>();
        pointers[i] = records[i].get();
    }

    platform::NamedMutex mutex(platform::kDeviceAccessMutex);
    if (!lockDevices(mutex)) return kExitFailed;
    CInfo info;
    info.GetDeviceInfo(pointers.data(), CInfo::kMaxSlots);
    mutex.unlock();

    int adapters = 0;
    for (std::size_t slot = 0; slot < records.size(); ++slot) {
        const CDeviceInfo& d = *records[slot];
        if (!isFamilyDevice(d.type)) continue;
        ++adapters;
        std::printf("slot=%zu port=%s type=%d region=%d firmwareState=%d version=%s\n", slot,
                    d.port, static_cast<int>(d.type), static_cast<int>(d.region),
                    static_cast<int>(d.firmwareState),
                    platform::escapeControl(d.versionText).c_str());
    }
    std::printf("adapters=%d\n", adapters);
    return kExitOk;
}

}  // namespace cli
