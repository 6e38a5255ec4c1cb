#pragma once
// CModemPanel: what ta-modems shows and changes. The serial ports come from
// the store's port names (COMn and the device it stands for) and from the
// USB and ACM device nodes that carry no name yet; the modems are the
// installation records the folder reads.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "device/modem_records.h"

namespace modems {

struct SerialPort {
    std::string name;    // "COM3", or the device path of a port without a name
    std::string device;  // "/dev/ttyUSB0"
    std::string model;   // the modem installed on it, empty for none
};

class CModemPanel {
public:
    // `deviceDir` is where device nodes are looked for ("/dev").
    explicit CModemPanel(std::string deviceDir = "/dev");

    // Reads ports and modems again; the store's status when it cannot be read.
    std::int32_t Refresh();
    const std::vector<SerialPort>& Ports() const { return ports_; }
    const std::vector<device::InstalledModem>& Modems() const { return modems_; }

    // Install or remove, then refresh. kInvalidParameter for a kind outside
    // the family or an empty port; kFileNotFound when no modem is on `port`.
    std::int32_t Install(const std::string& port, std::int32_t kind);
    std::int32_t Remove(std::string_view port);

    // The adapter kinds a user can pick, each with its own model name.
    static std::vector<std::int32_t> Kinds();

private:
    std::string deviceDir_;
    std::vector<SerialPort> ports_;
    std::vector<device::InstalledModem> modems_;
};

}  // namespace modems
