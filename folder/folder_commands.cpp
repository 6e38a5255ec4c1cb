#include "folder/folder_commands.h"

#include <string>

#include "folder/firmware_command.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "folder/resource_ids.h"
#include "folder/terminal_connection.h"

using namespace folder;

CFolderCommands::CFolderCommands(CFolderView& view, CFolderDoc& doc)
    : view_(view), doc_(doc), modemPanel_(&view, [&view] {
          QMetaObject::invokeMethod(
              &view, [&view] { view.OnCommand(ID_REFRESH); }, Qt::QueuedConnection);
      }) {
    openModemPanel = [this] {
        modemPanel_.RequestRefresh();
        modemPanel_.Open();
    };
}

void CFolderCommands::Run(std::uint32_t id, int item) {
    // Dial-up networking needs no adapter.
    if (id == ID_DIALUP || CDialUpNetworking::IsEntryCommand(id)) {
        view_.OnDialUpCommand(id);
        return;
    }
    // Nor does the modem panel.
    if (id == ID_MODEM_PANEL) {
        modemPanel_.OnModemPanel();
        return;
    }
    if (item < 0 || item >= CFolderDoc::kMaxItems) return;
    switch (id) {
        case ID_QUICK_CONFIG:
        case ID_CONFIGURE_PROFILES:
        case ID_WIZARD:
        case ID_RESET:
        case ID_IMPORT:
        case ID_EXPORT:
            AdapterCommand(id, item);
            return;
        case ID_FIRMWARE:
            LoadFirmware(view_, doc_, item);
            return;
        case ID_TERMINAL:
            if (doc_.Item(item).responding == 1) OpenTerminalConnection(&view_, doc_.Item(item));
            return;
        default:
            return;
    }
}

void CFolderCommands::AdapterCommand(std::uint32_t id, int index) {
    CFolderItem& item = doc_.Item(index);
    if (item.device == nullptr) return;
    // Configuring the active profile of an adapter that has none set up yet
    // would only show the factory profile: it gets the full configuration.
    if (id == ID_QUICK_CONFIG && item.notConfigured != kItemConfigured) id = ID_CONFIGURE_PROFILES;
    if (!view_.LockDevices()) return;
    const std::int32_t result = CallEntryPoint(id, item);
    view_.UnlockDevices();
    view_.Trace("command " + std::to_string(id) + " " + std::to_string(result));
    if (result != 0) return;
    if (id == ID_RESET)
        item.notConfigured = kItemNotConfigured;
    else if (id != ID_EXPORT)
        item.notConfigured = kItemConfigured;
    doc_.Save();
    view_.UpdateList();
    view_.SelectItem(index);
}

std::int32_t CFolderCommands::CallEntryPoint(std::uint32_t id, CFolderItem& item) {
    CDeviceInfo& device = *item.device;
    const char* label = item.label.c_str();
    CProfileSettings& settings = item.profileNames;
    switch (id) {
        case ID_QUICK_CONFIG:
            return config_.QuickConfig(&view_, device, label, settings);
        case ID_CONFIGURE_PROFILES:
            return config_.Configure(&view_, device, label,
                                     item.notConfigured == kItemConfigured ? 0 : 1, settings);
        case ID_WIZARD:
            return config_.Configure(&view_, device, label, 1, settings);
        case ID_RESET:
            return config_.Reset(&view_, device, label, settings);
        case ID_IMPORT:
            return config_.ImportConfig(&view_, device, label, settings, "");
        default:
            return config_.ExportConfig(&view_, device, label, settings);
    }
}
