#pragma once
// Opening a desktop entry the way a double click in the file manager does:
// the desktop's own launcher starts what the entry names ("gio launch", or
// "xdg-open" where the former is not installed). The started program runs
// on its own and outlives this one.
#include <cstdint>
#include <string>

namespace platform {

// kOk once the launcher took the entry (or still runs after a few seconds,
// as a launcher that runs the program itself does); kFileNotFound when no
// launcher is installed; kIoError when the launcher could not be started or
// ended with a failure.
std::int32_t launchDesktopEntry(const std::string& path);

}  // namespace platform
