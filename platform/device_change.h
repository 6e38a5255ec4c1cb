#pragma once
// Arrivals and removals of serial devices, as the suite's programs see them:
// an event (arrival or removal complete), the device type (a device node)
// and the node's number; the node's hardware key is recorded in the
// registry store under the dynamic-data root at
// "Config Manager\Enum\<number as %8.8lX>", value "HardWareKey", for as long
// as the notification is being handled.
//
// Two sources feed it: the system's udev monitor for tty devices (USB and
// PCI serial adapters included), and a local channel on which the adapter
// simulator announces the ports it opens and closes.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::uint32_t kDeviceArrival = 0x8000;
inline constexpr std::uint32_t kDeviceRemoveComplete = 0x8004;
inline constexpr std::uint32_t kDeviceTypeDevNode = 1;
inline constexpr const char* kDevNodeEnumKey = "Config Manager\\Enum";
inline constexpr const char* kHardwareKeyValue = "HardWareKey";
// The classic limit of a hardware key read by the monitor.
inline constexpr std::size_t kMaxHardwareKey = 259;
// The maker's vendor text as hardware keys carry it.
inline constexpr const char* kMakerHardwareVendor = "VELKA_TECHNOLOGY_CORPORATION";

struct DeviceChange {
    std::uint32_t event = 0;  // kDeviceArrival or kDeviceRemoveComplete
    std::uint32_t deviceType = kDeviceTypeDevNode;
    std::uint32_t devNode = 0;
    std::string devicePath;   // "/dev/ttyUSB0", "/dev/pts/4"
    std::string hardwareKey;  // "USB\\VELKA_TECHNOLOGY_CORPORATION\\...\\TTYUSB0"
};

// "Config Manager\Enum\0000A004" for node 0xA004.
std::string devNodeKeyPath(std::uint32_t devNode);
// A device node's number from its major and minor number; both sources use
// it, so one device gets the same number on arrival and removal.
std::uint32_t devNodeNumber(std::uint32_t major, std::uint32_t minor);
// A hardware key made of parts the system reports: upper case, blanks and
// characters outside printable ASCII as '_', parts joined with '\', empty
// parts left out, cut to kMaxHardwareKey.
std::string makeHardwareKey(const std::vector<std::string_view>& parts);
// The hardware key of a simulated port ("VELKA_TECHNOLOGY_CORPORATION\TAMO_TA\COM3").
std::string simulatorHardwareKey(std::string_view comName);

// The simulator channel's datagram. Pure and bounds-checked: false (and
// `out` untouched) for anything malformed.
std::string encodeDeviceAnnouncement(const DeviceChange& change);
bool decodeDeviceAnnouncement(std::string_view bytes, DeviceChange& out);

// Tells every listener of the session that a simulated port came or went.
// Best effort: a program without listeners loses nothing by it.
void announceDeviceChange(const DeviceChange& change);

// Writes the node's key with its hardware key; removes it again.
std::int32_t recordDevNode(const DeviceChange& change);
void forgetDevNode(std::uint32_t devNode);

// The listening side: the udev monitor (when the system runs udev) and the
// simulator channel. Wait for readability of fds(), then call readPending.
class DeviceChangeSource {
public:
    // Null only when not even the simulator channel can be opened. When udev
    // is missing, `note` says so in one line and the channel works alone.
    static std::unique_ptr<DeviceChangeSource> create(std::string& note);
    ~DeviceChangeSource();
    DeviceChangeSource(const DeviceChangeSource&) = delete;
    DeviceChangeSource& operator=(const DeviceChangeSource&) = delete;

    bool watchesUdev() const;
    std::vector<int> fds() const;
    // Every change waiting on `fd`, without blocking.
    std::vector<DeviceChange> readPending(int fd);

    struct Impl;

private:
    explicit DeviceChangeSource(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
