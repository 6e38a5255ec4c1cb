#include "platform/device_change.h"

#include <cstdio>

#include "platform/registry_store.h"

namespace platform {
namespace {

constexpr std::string_view kAnnouncementTag = "VTAD";
constexpr std::size_t kMaxDevicePath = 200;

bool printable(std::string_view text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F) return false;
    }
    return true;
}

// Takes the next '\n'-ended field; false when there is none.
bool takeField(std::string_view& rest, std::string_view& field) {
    const auto end = rest.find('\n');
    if (end == std::string_view::npos) return false;
    field = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    return true;
}

bool parseHex32(std::string_view text, std::uint32_t& out) {
    if (text.empty() || text.size() > 8) return false;
    std::uint32_t value = 0;
    for (const char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    out = value;
    return true;
}

std::string hex8(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

}  // namespace

std::string devNodeKeyPath(std::uint32_t devNode) {
    return std::string(kDevNodeEnumKey) + "\\" + hex8(devNode);
}

std::uint32_t devNodeNumber(std::uint32_t major, std::uint32_t minor) {
    return ((major & 0xFFF) << 20) | (minor & 0xFFFFF);
}

std::string makeHardwareKey(const std::vector<std::string_view>& parts) {
    std::string key;
    for (const auto part : parts) {
        if (part.empty()) continue;
        if (!key.empty()) key += '\\';
        for (const char c : part) {
            const auto u = static_cast<unsigned char>(c);
            if (c >= 'a' && c <= 'z')
                key += static_cast<char>(c - 'a' + 'A');
            else if (u <= 0x20 || u >= 0x7F || c == '\\')
                key += '_';
            else
                key += c;
        }
    }
    if (key.size() > kMaxHardwareKey) key.resize(kMaxHardwareKey);
    return key;
}

std::string simulatorHardwareKey(std::string_view comName) {
    return makeHardwareKey({kMakerHardwareVendor, "TAMO_TA", comName});
}

std::string encodeDeviceAnnouncement(const DeviceChange& change) {
    std::string out(kAnnouncementTag);
    out += '\n' + hex8(change.event) + '\n' + hex8(change.deviceType) + '\n' +
           hex8(change.devNode) + '\n' + change.devicePath + '\n' + change.hardwareKey + '\n';
    return out;
}

bool decodeDeviceAnnouncement(std::string_view bytes, DeviceChange& out) {
    std::string_view tag, event, type, node, path, key;
    if (!takeField(bytes, tag) || tag != kAnnouncementTag) return false;
    if (!takeField(bytes, event) || !takeField(bytes, type) || !takeField(bytes, node) ||
        !takeField(bytes, path) || !takeField(bytes, key) || !bytes.empty())
        return false;
    DeviceChange change;
    if (!parseHex32(event, change.event) || !parseHex32(type, change.deviceType) ||
        !parseHex32(node, change.devNode))
        return false;
    if (change.event != kDeviceArrival && change.event != kDeviceRemoveComplete) return false;
    if (path.size() > kMaxDevicePath || key.size() > kMaxHardwareKey || !printable(path) ||
        !printable(key))
        return false;
    change.devicePath = std::string(path);
    change.hardwareKey = std::string(key);
    out = std::move(change);
    return true;
}

std::int32_t recordDevNode(const DeviceChange& change) {
    RegKey key;
    std::int32_t rc = RegKey::create(RegRoot::DynData, devNodeKeyPath(change.devNode), key);
    if (rc == kOk) rc = key.setString(kHardwareKeyValue, change.hardwareKey);
    return rc;
}

void forgetDevNode(std::uint32_t devNode) {
    RegKey parent;
    if (RegKey::open(RegRoot::DynData, kDevNodeEnumKey, parent) == kOk)
        parent.deleteTree(hex8(devNode));
}

}  // namespace platform
