#include "sim/com_mapping.h"

#include <unistd.h>

#include "platform/serial_port.h"

namespace sim {

ComMapping::ComMapping(std::string devicePath, std::string comName)
    : devicePath_(std::move(devicePath)), comName_(std::move(comName)) {
    // Owned by this process: once it dies, hosts ignore the mapping instead
    // of writing into whatever program the system gives the pty next.
    status_ = platform::mapPortName(comName_, devicePath_, ::getpid());
    active_ = status_ == platform::kOk;
}

ComMapping::~ComMapping() {
    remove();
}

void ComMapping::remove() {
    if (!active_) return;
    active_ = false;
    // Another simulator may have taken the path over since; its value stays.
    platform::unmapPortName(comName_, devicePath_);
}

}  // namespace sim
