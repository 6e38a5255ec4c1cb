#pragma once
// The checks before a download, shared by the configurator and tactl: does
// the image fit the device, and what to ask before it replaces the device's
// firmware.
#include <cstdint>
#include <string>
#include <string_view>

class CElmVersion;

namespace firmware {

// 0 when the image may go into a device of this kind, otherwise the message
// that says it is not meant for it. `elmStatus` is what reading the image's
// version record gave: an image without one never fits.
std::uint32_t refusalMessage(std::int32_t elmStatus, const CElmVersion& image, std::int32_t kind);

// The device's firmware version as the comparison takes it: its version
// reply without the first character ("V2.10" -> "2.10").
std::string deviceVersion(std::string_view versionText);

// The question before a download: the same firmware again, or another one,
// with both versions and regions.
std::string confirmationText(const CElmVersion& image, std::int32_t deviceRegion,
                             std::string_view deviceVersion);

// The whole image file, or 4000 when it cannot be read.
std::int32_t readImage(const std::string& path, std::string& bytes);

}  // namespace firmware
