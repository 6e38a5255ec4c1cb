#include "platform/device_change_notifier.h"

namespace platform {

std::unique_ptr<DeviceChangeNotifier> DeviceChangeNotifier::create(Handler handler,
                                                                   std::string& note) {
    auto source = DeviceChangeSource::create(note);
    if (!source) return nullptr;
    return std::unique_ptr<DeviceChangeNotifier>(
        new DeviceChangeNotifier(std::move(source), std::move(handler)));
}

DeviceChangeNotifier::DeviceChangeNotifier(std::unique_ptr<DeviceChangeSource> source,
                                           Handler handler)
    : source_(std::move(source)), handler_(std::move(handler)) {
    for (const int fd : source_->fds()) {
        auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this, fd] { deliver(fd); });
        notifiers_.push_back(std::move(notifier));
    }
}

void DeviceChangeNotifier::deliver(int fd) {
    for (const auto& change : source_->readPending(fd)) {
        // A key that cannot be written reads as "not the maker's device" in
        // the handler, which is what a registry failure means there anyway.
        recordDevNode(change);
        if (handler_) handler_(change);
        if (change.event == kDeviceRemoveComplete) forgetDevNode(change.devNode);
    }
}

}  // namespace platform
