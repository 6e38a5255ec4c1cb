#include "sim/com_mapping.h"

#include <strings.h>

#include <vector>

#include "platform/registry_store.h"

namespace sim {

ComMapping::ComMapping(std::string devicePath, std::string comName)
    : devicePath_(std::move(devicePath)), comName_(std::move(comName)) {
    platform::RegKey key;
    status_ = platform::RegKey::create(platform::RegRoot::LocalMachine, kSerialCommKey, key);
    if (status_ != platform::kOk) return;
    std::vector<std::string> names;
    if (key.valueNames(names) == platform::kOk) {
        for (const auto& name : names) {
            std::string data;
            if (key.readString(name, data) == platform::kOk &&
                strcasecmp(data.c_str(), comName_.c_str()) == 0) {
                key.deleteValue(name);
            }
        }
    }
    status_ = key.setString(devicePath_, comName_);
    active_ = status_ == platform::kOk;
}

ComMapping::~ComMapping() {
    remove();
}

void ComMapping::remove() {
    if (!active_) return;
    active_ = false;
    platform::RegKey key;
    if (platform::RegKey::open(platform::RegRoot::LocalMachine, kSerialCommKey, key) !=
        platform::kOk) {
        return;
    }
    // Another simulator may have taken the path over since; leave its value.
    std::string data;
    if (key.readString(devicePath_, data) == platform::kOk &&
        strcasecmp(data.c_str(), comName_.c_str()) == 0) {
        key.deleteValue(devicePath_);
    }
}

}  // namespace sim
