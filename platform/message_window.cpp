#include "platform/message_window.h"

namespace platform {

std::unique_ptr<MessageWindow> MessageWindow::create(std::string_view prefix, Handler handler,
                                                     std::int32_t* status) {
    std::unique_ptr<MessageEndpoint> endpoint;
    const std::int32_t rc = MessageEndpoint::create(prefix, endpoint);
    if (status) *status = rc;
    if (rc != kOk) return nullptr;
    return std::unique_ptr<MessageWindow>(
        new MessageWindow(std::move(endpoint), std::move(handler)));
}

MessageWindow::MessageWindow(std::unique_ptr<MessageEndpoint> endpoint, Handler handler)
    : endpoint_(std::move(endpoint)),
      handler_(std::move(handler)),
      notifier_(endpoint_->fd(), QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { dispatchPending(); });
}

void MessageWindow::dispatchPending() {
    // A handler may open a dialog with its own event loop; the notifier stays
    // off meanwhile so messages are not handled inside one another.
    notifier_.setEnabled(false);
    MessageEndpoint::Received received;
    while (endpoint_->receive(received)) {
        const std::int64_t result = handler_ ? handler_(received.message) : 0;
        endpoint_->reply(received, result);
    }
    notifier_.setEnabled(true);
}

}  // namespace platform
