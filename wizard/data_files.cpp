#include "wizard/data_files.h"

#include "platform/paths.h"
#include "registry/registry.h"

namespace wizard {

std::string DataFilePath(const char* fileName) {
    std::string dir;
    const CRegistry key(std::string(kSuiteKey) + "\\Directory");
    if (key.ReadString("Install", dir) != registry::kRegOk || dir.empty())
        dir = platform::paths::installDir();
    // The stored directory is meant to end with a separator; one that does
    // not must not glue the data folder onto the directory's name.
    if (dir.back() != '/' && dir.back() != '\\') dir += '/';
    return dir + "data/" + fileName;
}

}  // namespace wizard
