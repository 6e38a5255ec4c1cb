#include "folder/command_rules.h"

#include "folder/help_menu.h"
#include "folder/resource_ids.h"

using namespace folder;

namespace {

// A help file is offered while its product key exists.
bool HelpFileInstalled(std::uint32_t id, const InstalledProducts& products) {
    for (const auto& p : ProductHelpTable())
        if (id == p.userCommand || id == p.referenceCommand) return products.*p.key;
    return false;
}

}  // namespace

bool CommandEnabled(std::uint32_t id, const CommandState& state) {
    const bool responding = state.selected && state.responding;
    if (id >= ID_DIALUP_ENTRY_FIRST && id <= ID_DIALUP_ENTRY_LAST) return true;
    switch (id) {
        case ID_VIEW_LARGE:
        case ID_VIEW_SMALL:
        case ID_VIEW_LIST:
        case ID_VIEW_DETAILS:
        case ID_REFRESH:
        case ID_REFRESH_QUIET:
        case ID_SETTINGS:
        case ID_TIP_OF_DAY:
        case ID_HELP_FINDER:
        case ID_APP_ABOUT:
        case ID_APP_EXIT:
            return true;
        case ID_DETAILS:
        case ID_DELETE:
        case ID_INFORMATION:
            return state.selected;
        case ID_QUICK_CONFIG:
        case ID_CONFIGURE_PROFILES:
        case ID_WIZARD:
        case ID_RESET:
        case ID_IMPORT:
        case ID_EXPORT:
            return responding;
        case ID_FIRMWARE:
            // An adapter stuck in its boot loader needs new firmware most of all.
            return responding || (state.selected && state.bootState);
        case ID_INSTALL:
            // Installing ends in the modem control panel.
            return responding && !state.installedInWindows && state.modemPanelPlatform;
        case ID_DIALUP:
            return state.dialUpAvailable;
        case ID_MODEM_PANEL:
            return state.modemPanelPlatform;
        case ID_TERMINAL:
            return responding && state.terminalAvailable;
        default:
            return HelpFileInstalled(id, state.products);
    }
}
