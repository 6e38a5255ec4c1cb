#pragma once
// A program's main-window endpoint on the Qt event loop: messages posted or
// sent to it are handed to `handler` on the thread that created it (the UI
// thread), one at a time, in arrival order. The handler's result answers a
// sent message.
#include <QSocketNotifier>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/messages.h"
#include "platform/status_codes.h"

namespace platform {

class MessageWindow {
public:
    using Handler = std::function<std::int64_t(const Message&)>;

    // Null when no endpoint could be bound (the reason went to `status`).
    static std::unique_ptr<MessageWindow> create(std::string_view prefix, Handler handler,
                                                 std::int32_t* status = nullptr);
    const std::string& name() const { return endpoint_->name(); }

private:
    MessageWindow(std::unique_ptr<MessageEndpoint> endpoint, Handler handler);
    void dispatchPending();

    std::unique_ptr<MessageEndpoint> endpoint_;
    Handler handler_;
    QSocketNotifier notifier_;
};

}  // namespace platform
