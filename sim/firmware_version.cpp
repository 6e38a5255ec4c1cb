#include "sim/firmware_version.h"

namespace sim {

bool findFirmwareVersion(std::string_view image, std::string& version) {
    constexpr std::string_view kMarker = "SYS_VER ";
    constexpr std::size_t kRecord = 20, kText = 13;
    const std::size_t at = image.find(kMarker);
    if (at == std::string_view::npos || image.size() - at - kMarker.size() < kRecord) return false;
    std::string_view text = image.substr(at + kMarker.size(), kText);
    text = text.substr(0, text.find('\0'));
    if (text.empty()) return false;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f)
            return false;
    }
    version.assign(text);
    return true;
}

}  // namespace sim
