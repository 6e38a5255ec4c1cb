#pragma once
// The endpoint of the program's main window (platform/messages.h), for the
// libraries it loads: the configurator tells the folder's window about its
// message boxes. The program sets it when its window has its endpoint, and
// clears it when the window goes. One per process, shared on purpose, so it
// lives in this shared library rather than in each caller.
#include <string>

#include "ui/ui_export.h"

namespace ui {

VELKA_UI_EXPORT void setMainWindowEndpoint(const std::string& endpoint);
// "" when the program has no main window endpoint.
VELKA_UI_EXPORT std::string mainWindowEndpoint();

}  // namespace ui
