#include "config/suite_message.h"

#include "platform/messages.h"
#include "ui/main_window.h"

namespace config {

namespace {
// Registered when the library is loaded, as the folder and the monitor do
// when they start, so all three agree on the number.
const std::uint32_t registered = platform::registerMessage(platform::kSuiteMessageName);
}  // namespace

std::uint32_t SuiteMessage() {
    return registered;
}

void NotifyMainWindow(std::uint64_t wParam, std::int64_t lParam) {
    const std::string window = ui::mainWindowEndpoint();
    if (window.empty() || registered == 0) return;
    platform::postMessage(window, platform::Message{registered, wParam, lParam});
}

}  // namespace config
