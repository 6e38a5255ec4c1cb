#include "folder/modems/modem_panel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/device_type.h"
#include "platform/serial_port.h"
#include "platform/status_codes.h"

namespace modems {

namespace {

// USB and ACM adapters appear and vanish with their plug; the fixed ttyS
// ports stay out, a board has dozens of them and they are reached as COMn.
std::vector<std::string> pluggedDevices(const std::string& dir) {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("ttyUSB") || name.starts_with("ttyACM"))
            found.push_back(entry.path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

CModemPanel::CModemPanel(std::string deviceDir) : deviceDir_(std::move(deviceDir)) {}

std::int32_t CModemPanel::Refresh() {
    std::vector<std::pair<std::string, std::string>> named;
    std::vector<device::InstalledModem> modems;
    if (const std::int32_t rc = platform::listPortNames(named); rc != platform::kOk) return rc;
    if (const std::int32_t rc = device::ListModems(modems); rc != platform::kOk) return rc;

    std::vector<SerialPort> ports;
    for (auto& [name, path] : named) ports.push_back({std::move(name), std::move(path), {}});
    for (std::string& path : pluggedDevices(deviceDir_)) {
        const bool hasName = std::any_of(ports.begin(), ports.end(),
                                         [&](const SerialPort& p) { return p.device == path; });
        if (!hasName) ports.push_back({path, path, {}});
    }
    for (SerialPort& port : ports)
        for (const auto& modem : modems)
            if (device::SameText(modem.port, port.name)) port.model = modem.model;
    ports_ = std::move(ports);
    modems_ = std::move(modems);
    return platform::kOk;
}

std::int32_t CModemPanel::Install(const std::string& port, std::int32_t kind) {
    const std::int32_t rc = device::InstallModem({port, kind, false});
    Refresh();
    return rc;
}

std::int32_t CModemPanel::Remove(std::string_view port) {
    const std::int32_t rc = device::RemoveModem(port);
    Refresh();
    return rc;
}

std::vector<std::int32_t> CModemPanel::Kinds() {
    // The second box variant installs under the first one's model name.
    return {kDeviceExternal, kDevicePro, kDevicePci, kDevicePcCard};
}

}  // namespace modems
