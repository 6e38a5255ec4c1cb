// Announcements on the device-change channel come from any program.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/device_change.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::DeviceChange change;
    if (platform::decodeDeviceAnnouncement({reinterpret_cast<const char*>(data), size}, change)) {
        platform::DeviceChange again;
        if (!platform::decodeDeviceAnnouncement(platform::encodeDeviceAnnouncement(change), again))
            __builtin_trap();
    }
    return 0;
}
