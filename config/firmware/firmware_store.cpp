#include "config/firmware/firmware_store.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "config/firmware/elm_version.h"
#include "config/firmware/firmware_status.h"
#include "platform/paths.h"
#include "platform/registry_store.h"
#include "registry/registry.h"

namespace firmware {

namespace fs = std::filesystem;

std::string storeDirectory() {
    std::string dir;
    platform::RegKey key;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine,
                               std::string(kSuiteKey) + "\\Directory", key) != platform::kOk ||
        key.readString("ELM", dir) != platform::kOk || dir.empty())
        dir = platform::paths::firmwareDir();
    // The value is a prefix for file names; one stored without its separator
    // would glue the folder's name onto them.
    if (dir.back() != '/') dir.push_back('/');
    return dir;
}

std::vector<StoredImage> listImages(const std::string& directory) {
    std::vector<StoredImage> images;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(directory, ec)) {
        std::string ext = e.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        if (ext != ".elm" || !e.is_regular_file(ec)) continue;
        CElmVersion elm;
        if (elm.ReadFile(e.path().string()) != kOk) continue;
        images.push_back({e.path().string(), elm.Version(), elm.Type(), elm.Region()});
    }
    std::sort(images.begin(), images.end(),
              [](const StoredImage& a, const StoredImage& b) { return a.path < b.path; });
    return images;
}

std::int32_t addImage(const std::string& directory, const std::string& source,
                      std::string& stored) {
    CElmVersion elm;
    if (const std::int32_t rc = elm.ReadFile(source); rc != kOk) return rc;
    std::string target;
    for (const StoredImage& i : listImages(directory)) {
        if (i.version == elm.Version() && i.type == elm.Type() && i.region == elm.Region()) {
            target = i.path;
            break;
        }
    }
    std::error_code ec;
    for (int n = 0; target.empty(); ++n) {
        const std::string name = directory + "firm" + std::to_string(n) + ".elm";
        if (!fs::exists(name, ec)) target = name;
    }
    if (fs::exists(target, ec) && fs::equivalent(source, target, ec)) {
        stored = target;  // already the stored image
        return kOk;
    }
    if (!fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec))
        return kImageOpenFailed;
    stored = target;
    return kOk;
}

}  // namespace firmware
