#include "serial/com_speed.h"

#include <string>

#include "platform/device_type.h"
#include "platform/registry_store.h"
#include "platform/serial_port.h"
#include "platform/status_codes.h"
#include "serial/com_link.h"

namespace serial {

namespace {

// A port name becomes a key name; a backslash would make it a path instead.
bool usableAsKeyName(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos;
}

std::string speedKeyPath(std::string_view portName) {
    std::string path = kComSpeedsKey;
    path += '\\';
    path.append(portName);
    return path;
}

}  // namespace

std::uint32_t StoredComSpeed(std::string_view portName) {
    if (!usableAsKeyName(portName)) return 0;
    platform::RegKey key;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, speedKeyPath(portName), key) !=
        platform::kOk)
        return 0;
    std::uint32_t speed = 0;
    if (key.readDword(portName, speed) != platform::kOk) return 0;
    return speed;
}

std::int32_t StoreComSpeed(std::string_view portName, std::uint32_t speed) {
    if (!usableAsKeyName(portName)) return platform::kInvalidParameter;
    platform::RegKey key;
    std::int32_t rc =
        platform::RegKey::create(platform::RegRoot::LocalMachine, speedKeyPath(portName), key);
    if (rc != platform::kOk) return rc;
    return key.setDword(portName, speed);
}

std::uint32_t DetectOptimalComSpeedSetting(std::uint32_t whenMissing) {
    platform::RegKey key;
    std::uint32_t value = 0;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, kViewKey, key) == platform::kOk &&
        key.readDword("DetectOptimalCOMSpeed", value) == platform::kOk)
        return value;
    return whenMissing;
}

std::span<const char* const> ModemEntriesOfKind(std::int32_t kind) {
    static constexpr const char* kBox[] = {"Velka Tamo T-A ISDN Modem",
                                           "Velka Tamo T-A ISDN Modem Pnp"};
    static constexpr const char* kPro[] = {"Velka Tamo T-A Pro ISDN Modem",
                                           "Velka Tamo T-A Pro ISDN Modem Pnp"};
    static constexpr const char* kPci[] = {"Velka Tamo T-A PCI Card",
                                           "Velka Tamo T-A PCI Card Pnp"};
    static constexpr const char* kPcCard[] = {"Velka Tamo T-A", "Velka Tamo T-A Pnp"};
    switch (kind) {
        case kDeviceExternal:
        case kDeviceExternal6F:
            return kBox;
        case kDevicePro:
            return kPro;
        case kDevicePci:
            return kPci;
        case kDevicePcCard:
            return kPcCard;
        default:
            return {};
    }
}

std::int32_t DetectAndStoreComSpeed(CComLink& link, std::string_view port, std::int32_t kind,
                                    std::uint32_t whenMissing, std::uint32_t& speed) {
    const std::uint32_t optimal = DetectOptimalComSpeedSetting(whenMissing);
    speed = 0;
    const std::string name(port);
    const std::int32_t status = link.DetectSpeed(name.c_str(), speed);
    if (status != kLinkOk || speed == 0 || optimal == 0) return status;
    if (const std::int32_t stored = StoreComSpeed(port, speed); stored != platform::kOk)
        return stored;
    platform::setDefaultCommSpeed(port, speed);
    for (const char* modem : ModemEntriesOfKind(kind)) platform::setDefaultCommSpeed(modem, speed);
    return kLinkOk;
}

std::uint32_t NextTrialSpeed(std::uint32_t current, std::uint32_t optimal) {
    switch (current) {
        case 0:
            return 4800;
        case 4800:
            return 9600;
        case 9600:
            return 19200;
        case 19200:
            return 38400;
        case 38400:
            return 57600;
        case 57600:
            return optimal != 0 ? 115200 : 0;
        case 115200:
            return 230400;
        default:
            return 0;
    }
}

}  // namespace serial
