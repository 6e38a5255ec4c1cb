// Device changes on Linux: a udev monitor for the tty subsystem and the
// simulator channel, a folder of datagram sockets in the runtime folder with
// one socket per listening program.
#include <errno.h>
#include <libudev.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>

#include "platform/datagram_unix.h"
#include "platform/device_change.h"
#include "platform/paths.h"
#include "platform/status_codes.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxAnnouncement = 1024;

std::string channelDir() {
    const std::string dir = paths::runtimeDir() + "/devchange";
    std::error_code ec;
    fs::create_directories(dir, ec);
    return dir;
}

std::string property(udev_device* device, const char* name) {
    const char* value = udev_device_get_property_value(device, name);
    return value ? value : "";
}

// The hardware key of a tty as udev describes it: bus, vendor, model and
// the kernel's name, e.g. "USB\VELKA_TECHNOLOGY_CORPORATION\TAMO_TA\TTYUSB0".
std::string udevHardwareKey(udev_device* device) {
    std::string vendor = property(device, "ID_VENDOR_FROM_DATABASE");
    if (vendor.empty()) vendor = property(device, "ID_VENDOR");
    std::string model = property(device, "ID_MODEL_FROM_DATABASE");
    if (model.empty()) model = property(device, "ID_MODEL");
    std::string bus = property(device, "ID_BUS");
    if (bus.empty()) bus = "ROOT";
    const char* name = udev_device_get_sysname(device);
    return makeHardwareKey({bus, vendor, model, name ? name : ""});
}

}  // namespace

struct DeviceChangeSource::Impl {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    int channel = -1;
    std::string channelPath;

    ~Impl() {
        if (monitor) udev_monitor_unref(monitor);
        if (context) udev_unref(context);
        if (channel >= 0) ::close(channel);
        if (!channelPath.empty()) ::unlink(channelPath.c_str());
    }

    // Without a running udev daemon the monitor would open fine and never
    // report a thing, so that counts as missing too.
    bool startUdev(std::string& note) {
        if (::access("/run/udev/control", F_OK) != 0) {
            note =
                "udev läuft nicht (/run/udev/control fehlt): Geräteänderungen kommen nur vom "
                "Simulator.";
            return false;
        }
        context = udev_new();
        if (context) monitor = udev_monitor_new_from_netlink(context, "udev");
        if (!monitor ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor, "tty", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor) < 0) {
            note = std::string("udev-Monitor nicht verfügbar (") + std::strerror(errno) +
                   "): Geräteänderungen kommen nur vom Simulator.";
            if (monitor) udev_monitor_unref(monitor);
            monitor = nullptr;
            return false;
        }
        return true;
    }

    std::vector<DeviceChange> readUdev() {
        std::vector<DeviceChange> changes;
        while (udev_device* device = udev_monitor_receive_device(monitor)) {
            const char* action = udev_device_get_action(device);
            const dev_t number = udev_device_get_devnum(device);
            DeviceChange change;
            if (action && std::strcmp(action, "add") == 0)
                change.event = kDeviceArrival;
            else if (action && std::strcmp(action, "remove") == 0)
                change.event = kDeviceRemoveComplete;
            if (change.event != 0 && number != 0) {
                change.devNode = devNodeNumber(major(number), minor(number));
                const char* node = udev_device_get_devnode(device);
                change.devicePath = node ? node : "";
                change.hardwareKey = udevHardwareKey(device);
                changes.push_back(std::move(change));
            }
            udev_device_unref(device);
        }
        return changes;
    }

    std::vector<DeviceChange> readChannel() {
        std::vector<DeviceChange> changes;
        for (;;) {
            char buffer[kMaxAnnouncement];
            const ssize_t n = ::recv(channel, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            DeviceChange change;
            if (static_cast<std::size_t>(n) <= sizeof buffer &&
                decodeDeviceAnnouncement({buffer, static_cast<std::size_t>(n)}, change))
                changes.push_back(std::move(change));
        }
        return changes;
    }
};

std::unique_ptr<DeviceChangeSource> DeviceChangeSource::create(std::string& note) {
    static std::atomic<unsigned> counter{0};
    auto impl = std::make_unique<Impl>();
    note.clear();
    const std::string path =
        channelDir() + "/" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    impl->channel = unix_socket::bindDatagram(path);
    if (impl->channel < 0) return nullptr;
    impl->channelPath = path;
    impl->startUdev(note);
    return std::unique_ptr<DeviceChangeSource>(new DeviceChangeSource(std::move(impl)));
}

DeviceChangeSource::DeviceChangeSource(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
DeviceChangeSource::~DeviceChangeSource() = default;

bool DeviceChangeSource::watchesUdev() const {
    return impl_->monitor != nullptr;
}

std::vector<int> DeviceChangeSource::fds() const {
    std::vector<int> fds{impl_->channel};
    if (impl_->monitor) fds.push_back(udev_monitor_get_fd(impl_->monitor));
    return fds;
}

std::vector<DeviceChange> DeviceChangeSource::readPending(int fd) {
    if (fd == impl_->channel) return impl_->readChannel();
    if (impl_->monitor && fd == udev_monitor_get_fd(impl_->monitor)) return impl_->readUdev();
    return {};
}

void announceDeviceChange(const DeviceChange& change) {
    const std::string bytes = encodeDeviceAnnouncement(change);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(channelDir(), ec)) {
        const std::string path = entry.path().string();
        // A listener that died left its socket behind; nobody else removes it.
        if (unix_socket::sendDatagram(path, bytes) == kInvalidHandle) ::unlink(path.c_str());
    }
}

}  // namespace platform
