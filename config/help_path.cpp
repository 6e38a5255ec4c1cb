#include "config/help_path.h"

#include <mutex>

#include "platform/device_type.h"
#include "platform/paths.h"
#include "registry/registry.h"

namespace config {

namespace {
struct HelpState {
    std::mutex mutex;
    std::string path;
    bool shown = false;
};

HelpState& state() {
    static HelpState s;
    return s;
}

bool endsWithSeparator(const std::string& s) {
    return !s.empty() && (s.back() == '/' || s.back() == '\\');
}
}  // namespace

const char* HelpFileName(std::int32_t deviceKind, std::int32_t region, std::int32_t phonePorts) {
    // Ports count in North America always, elsewhere only when the profile
    // has them; a region not yet known counts as without.
    const bool withPorts = region == 1 || (region == 0 && phonePorts != 0);
    switch (deviceKind) {
        case kDevicePro:
            return withPorts ? "cfgTAPR.hlp" : "cfgTANPR.hlp";
        case kDevicePci:
            return "cfgTAPCI.hlp";
        case kDevicePcCard:
            return "cfgTAPC.hlp";
        // The two boxes, and any kind the table does not know: the box's help is
        // the nearest there is, better than no file at all.
        default:
            return withPorts ? "cfgTA.hlp" : "cfgTANP.hlp";
    }
}

std::string HelpDirectory() {
    std::string dir;
    const CRegistry key(std::string(kSuiteKey) + "\\Directory");
    if (key.ReadString("Help", dir) != registry::kRegOk || dir.empty())
        dir = platform::paths::helpDir();
    // The stored directory is meant to end with a separator; one that does
    // not must not glue the file name onto the folder's name.
    if (!endsWithSeparator(dir)) dir += '/';
    return dir;
}

std::string HelpPath() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return s.path;
}

void SetHelpPath(const std::string& path) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.path = path;
}

bool HelpShown() {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    return s.shown;
}

void SetHelpShown(bool shown) {
    auto& s = state();
    std::lock_guard lock(s.mutex);
    s.shown = shown;
}

}  // namespace config
