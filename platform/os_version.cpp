#include "platform/os_version.h"

#include <cstdlib>
#include <string_view>

namespace platform {

// Read on every call: tests switch the family in-process with setenv.
OsVersion osVersion() {
    const char* env = std::getenv("VELKA_TA_OS");
    const std::string_view family = env ? env : "";
    if (family == "nt3") return {kPlatformNt, 3, 51};
    if (family == "nt4") return {kPlatformNt, 4, 0};
    if (family == "nt5") return {kPlatformNt, 5, 0};
    if (family == "nt6") return {kPlatformNt, 6, 0};
    return {kPlatformConsumer, 4, 10};
}

}  // namespace platform
