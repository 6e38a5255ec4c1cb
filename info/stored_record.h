#pragma once
// The layout of one adapter record in the registry (a key Ports\PortN) and
// its pure decoder. Stored values are outside input -- another program or an
// older version may have written them -- so decoding checks every value and
// refuses the whole record rather than hand back half of it.
#include <cstdint>
#include <optional>
#include <string>

class CDeviceInfo;

namespace info {

// Value names. "DeviceString" and "PortName" are read by the folder directly.
inline constexpr const char* kValDeviceString = "DeviceString";
inline constexpr const char* kValPortName = "PortName";
inline constexpr const char* kValIdentification = "Identification";
inline constexpr const char* kValVersionText = "VersionText";
inline constexpr const char* kValLineText = "LineText";
inline constexpr const char* kValExtraText = "ExtraText";
inline constexpr const char* kValDeviceType = "DeviceType";
inline constexpr const char* kValOpenState = "OpenState";
inline constexpr const char* kValRegion = "Region";
inline constexpr const char* kValFirmwareState = "FirmwareState";
inline constexpr const char* kValV110Capable = "V110Capable";

// What the key holds; a value that is missing or of the wrong type is empty.
struct StoredValues {
    std::optional<std::string> deviceString, portName, identification, versionText, lineText,
        extraText;
    std::optional<std::uint32_t> deviceType, openState, region, firmwareState, v110Capable;
};

struct StoredRecord {
    std::string port, identification, versionText, lineText, extraText;
    std::int32_t type = 0;
    std::int32_t openState = 3;
    std::int32_t region = 255;
    std::int32_t firmwareState = 2;
    std::int32_t v110Capable = 0;
};

// 0, or 2003 when the port name or kind is missing, a text does not fit its
// field, or a number is outside its range. `out` is written only on success.
std::int32_t decodeStoredRecord(const StoredValues& in, StoredRecord& out);

StoredValues encodeStoredRecord(const CDeviceInfo& device);
void applyStoredRecord(const StoredRecord& record, CDeviceInfo& device);

}  // namespace info
