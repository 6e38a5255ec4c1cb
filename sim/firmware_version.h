#pragma once
// Finds the version text in a firmware image: the 8-byte marker "SYS_VER "
// followed by a 20-byte record whose first up to 13 bytes are the version,
// zero-terminated. The loader adopts it as its new version after a download.
// Pure and bounds-checked: the image is outside input.
#include <string>
#include <string_view>

namespace sim {

bool findFirmwareVersion(std::string_view image, std::string& version);

}  // namespace sim
