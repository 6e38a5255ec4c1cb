// The entry points that take the adapter record, kept apart so that the
// engine itself needs only the three facts it reads from it.
#include <cstring>
#include <string>

#include "device/device_info.h"
#include "profile/device_profiles.h"

std::int32_t CDeviceProfiles::ReadProfiles(const CDeviceInfo& device,
                                           const CProfileSettings& settings) {
    return ReadProfiles(std::string(device.port, ::strnlen(device.port, sizeof device.port)),
                        device.region, device.type, settings);
}

std::int32_t CDeviceProfiles::WriteProfiles(const CDeviceInfo& device) {
    return WriteProfiles(std::string(device.port, ::strnlen(device.port, sizeof device.port)));
}
