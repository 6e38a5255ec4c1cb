#pragma once
// When each command of the folder may run: the rules behind the menus, the
// toolbar, the context menu and the view's own guard.
#include <cstdint>

#include "folder/modem_enumerator.h"

// What the rules look at: the selected item's state and what the machine
// offers.
struct CommandState {
    bool selected = false;
    bool responding = false;
    // The adapter answers only in its boot loader (damaged firmware).
    bool bootState = false;
    bool installedInWindows = false;
    bool dialUpAvailable = false;
    bool terminalAvailable = false;
    // Consumer line or NT line 4: the lines with a modem control panel.
    bool modemPanelPlatform = false;
    InstalledProducts products;
};

bool CommandEnabled(std::uint32_t id, const CommandState& state);
