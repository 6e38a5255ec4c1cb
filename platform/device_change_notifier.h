#pragma once
// Device changes delivered on the Qt event loop of the thread that creates
// the notifier (the UI thread). While `handler` runs, the device node's key
// with its hardware key is in the registry store, as a handler that reads
// "Config Manager\Enum\<node>" expects; a removed node's key goes afterwards.
#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/device_change.h"

namespace platform {

class DeviceChangeNotifier {
public:
    using Handler = std::function<void(const DeviceChange&)>;

    // Null when not even the simulator channel could be opened. `note` is
    // one line for the log when udev is missing, else empty.
    static std::unique_ptr<DeviceChangeNotifier> create(Handler handler, std::string& note);
    bool watchesUdev() const { return source_->watchesUdev(); }

private:
    DeviceChangeNotifier(std::unique_ptr<DeviceChangeSource> source, Handler handler);
    void deliver(int fd);

    std::unique_ptr<DeviceChangeSource> source_;
    Handler handler_;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
};

}  // namespace platform
