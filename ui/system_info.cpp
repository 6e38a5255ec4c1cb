#include "ui/system_info.h"

#include <charconv>
#include <cstdlib>

namespace ui {

bool parseVersion(const std::string& text, CommonControlsVersion& out) {
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 >= text.size()) return false;
    CommonControlsVersion v;
    const char* begin = text.data();
    const char* end = begin + text.size();
    auto [p1, e1] = std::from_chars(begin, begin + dot, v.major);
    auto [p2, e2] = std::from_chars(begin + dot + 1, end, v.minor);
    if (e1 != std::errc() || p1 != begin + dot || e2 != std::errc() || p2 != end) return false;
    if (v.major < 0 || v.minor < 0) return false;
    out = v;
    return true;
}

CommonControlsVersion commonControlsVersion() {
    CommonControlsVersion v;
    if (const char* env = std::getenv("VELKA_TA_COMCTL_VERSION")) parseVersion(env, v);
    return v;
}

std::string servicePackText() {
    const char* env = std::getenv("VELKA_TA_SERVICE_PACK");
    return env ? env : "";
}

}  // namespace ui
