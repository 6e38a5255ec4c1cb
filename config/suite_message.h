#pragma once
// The suite's message between programs, registered by name when the library
// is loaded, and the notices the configurator gives the folder's window
// about the message box it shows.
#include <cstdint>

namespace config {

// wParam values of the notices.
inline constexpr std::uint64_t kNoticeBoxShown = 0x40;  // lParam: the box's help context
inline constexpr std::uint64_t kNoticeBoxGone = 0x80;

// The message's number; 0 when it could not be registered.
std::uint32_t SuiteMessage();

// Posts the suite message to the program's main window, if it has one. Posted,
// not sent: the folder's window is served by this very thread, which would
// wait for itself.
void NotifyMainWindow(std::uint64_t wParam, std::int64_t lParam);

}  // namespace config
