// Loads arbitrary text as a profile file: any text must load or fail with
// 5005, never crash, and leave an active profile the model can index and
// texts no longer than the reader's buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "profile/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CDeviceProfiles model;
    std::int32_t kind = 0;
    const std::int32_t mask = size ? data[0] & 7 : 7;
    const std::int32_t rc = profile::LoadProfileText(text, model, mask, kind);
    if (rc != 0 && rc != 5005) std::abort();
    if (model.activeProfile < 0 || model.activeProfile > 2) std::abort();
    for (const CProfile& p : model.profiles)
        for (const auto& key : profile::ProfileFileKeys())
            if (key.text && (p.*key.text).size() > 99) std::abort();
    return 0;
}
