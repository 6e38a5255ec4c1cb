#include "folder/folder_commands.h"

#include <QDialog>
#include <string>
#include <vector>

#include "device/device_status.h"
#include "folder/after_config_dlg.h"
#include "folder/firmware_command.h"
#include "folder/folder_doc.h"
#include "folder/folder_strings.h"
#include "folder/folder_view.h"
#include "folder/resource_ids.h"
#include "folder/terminal_connection.h"
#include "platform/os_version.h"
#include "platform/text_format.h"
#include "registry/registry.h"
#include "ui/dialog_facility.h"
#include "ui/framework_ids.h"
#include "ui/help.h"

using namespace folder;

namespace {

// Trouble-shooting topics of the help file, by the adapter's kind.
std::uint32_t NotAvailableTopic(std::int32_t type) {
    switch (type) {
        case kDeviceExternal:
        case kDeviceExternal6F:
            return 1400;
        case kDevicePro:
            return 1403;
        case kDevicePci:
            return 1410;
        case kDevicePcCard:
            return 1401;
        default:
            return 1402;
    }
}

std::uint32_t InstallTopic(std::int32_t type) {
    const bool consumer = platform::osVersion().platformId == platform::kPlatformConsumer;
    switch (type) {
        case kDevicePro:
            return consumer ? 2618 : 2619;
        case kDevicePcCard:
            return consumer ? 2616 : 2617;
        default:
            return consumer ? 2614 : 2615;
    }
}

void OpenTroubleHelp(std::uint32_t topic) {
    std::string dir;
    if (CRegistry(std::string(kSuiteKey) + "\\Directory").ReadString("Help", dir) != 0)
        dir = "./help/";
    ui::openHelp(dir + "trouble.hlp", ui::HelpCommand::Topic, topic + 0x10000);
}

}  // namespace

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
    if (item < 0 || item >= CFolderDoc::kMaxItems || !doc_.Item(item).IsFamily()) return;
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
        case ID_DETAILS:
        case ID_INFORMATION:
            Details(item);
            return;
        case ID_INSTALL:
            Install(doc_.Item(item));
            return;
        case ID_DELETE:
            Delete(item);
            return;
        default:
            return;
    }
}

void CFolderCommands::AdapterCommand(std::uint32_t id, int index) {
    CFolderItem& item = doc_.Item(index);
    if (item.device == nullptr) return;
    const bool wasConfigured = item.notConfigured == kItemConfigured;
    // Configuring the active profile of an adapter that has none set up yet
    // would only show the factory profile: it gets the full configuration.
    if (id == ID_QUICK_CONFIG && !wasConfigured) id = ID_CONFIGURE_PROFILES;
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
    if (id == ID_WIZARD || (id == ID_CONFIGURE_PROFILES && !wasConfigured))
        AfterConfiguration(item);
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

void CFolderCommands::AfterConfiguration(const CFolderItem& item) {
    CAfterConfigDlg dialog(item.type, &view_);
    if (view_.runDialog(dialog) == QDialog::Accepted) {
        view_.Trace("after configuration " + std::to_string(dialog.Chosen()));
        if (dialog.Chosen() == IDC_AFTER_USE_MODEM)
            ui::messageBox(&view_, Strings(), IDS_CONFIGURED_INFO, ui::Icon::Information,
                           ui::Buttons::Ok, Strings().text(IDS_CONFIGURED_INFO_CAPTION));
        else
            OpenDialUp();
    }
    view_.ShowTip();
}

void CFolderCommands::OpenDialUp() {
    if (openDialUp && openDialUp() == kDialUpFolderMissing) view_.DialUp().WarnMissing(&view_);
}

void CFolderCommands::Details(int index) {
    const CFolderItem& item = doc_.Item(index);
    if (item.device && item.responding) {
        config_.Properties(&view_, *item.device, item.label.c_str());
        return;
    }
    if (item.device && item.device->firmwareState == device::kFirmwareBootOnly) {
        ui::messageBox(&view_, Strings(), IDS_FIRMWARE_DAMAGED, ui::Icon::Warning, ui::Buttons::Ok,
                       Strings().text(IDS_FIRMWARE_DAMAGED_CAPTION));
        Run(ID_FIRMWARE, index);
        return;
    }
    NotAvailable(item);
}

// Why the adapter does not answer, as far as the last detection can tell;
// Retry detects afresh.
void CFolderCommands::NotAvailable(const CFolderItem& item) {
    const CDeviceInfo* record = item.device;
    const std::int32_t openState = record ? record->openState : device::kOpenNotTried;
    std::uint32_t text = IDS_NO_INFORMATION;
    std::vector<platform::FormatArg> inserts{item.portName};
    if (openState == device::kOpenOk && record->type != 0) {
        text = IDS_OTHER_DEVICE_ANSWERS;
        inserts = {std::string(record->identification), item.portName, item.label};
    } else if (openState == device::kOpenOk) {
        text = IDS_NOTHING_ANSWERS;
    } else if (openState == device::kOpenBusy) {
        text = IDS_PORT_BUSY;
    } else if (openState == device::kOpenFailed) {
        text = IDS_PORT_NOT_OPENED;
    }
    ui::MessageRequest request;
    request.stringId = text;
    request.text = platform::formatInserts(Strings().text(text), inserts);
    request.caption = Utf8(IDS_NOT_AVAILABLE_CAPTION);
    request.icon = ui::Icon::Warning;
    request.buttons =
        text == IDS_NO_INFORMATION ? ui::Buttons::OkHelp : ui::Buttons::RetryCancelHelp;
    request.helpContext = NotAvailableTopic(item.type);
    request.owner = &view_;
    request.onHelp = OpenTroubleHelp;
    // F1 in the frame asks for the same topic while the box is open.
    if (view_.setHelpContext) view_.setHelpContext(request.helpContext);
    const int answer = ui::dialogs().messageBox(request);
    if (view_.setHelpContext) view_.setHelpContext(0);
    if (answer == ui::IDRETRY) view_.OnCommand(ID_REFRESH);
}

void CFolderCommands::Install(const CFolderItem& item) {
    if (ui::messageBox(&view_, Strings(), IDS_INSTALL_ASK, ui::Icon::Question, ui::Buttons::YesNo,
                       Strings().text(IDS_INSTALL_CAPTION)) != ui::IDYES)
        return;
    OpenTroubleHelp(InstallTopic(item.type));
    if (openModemPanel) openModemPanel();
}

void CFolderCommands::Delete(int index) {
    CFolderItem& item = doc_.Item(index);
    if (ui::messageBox(&view_, Strings(), IDS_DELETE_ASK, ui::Icon::Question, ui::Buttons::YesNo,
                       Strings().text(IDS_DELETE_CAPTION)) != ui::IDYES)
        return;
    const std::int32_t slot =
        doc_.Info().DeleteDeviceInfoFromReg(item.portName, static_cast<_DeviceType>(item.type));
    view_.Trace("delete " + item.portName + " " + std::to_string(slot));
    if (slot >= 1 && slot <= CFolderDoc::kMaxRecords) doc_.Record(slot - 1).ResetRecord();
    // The record in memory goes too, also when the service had none stored:
    // the save below would otherwise store it again and the next start would
    // list the deleted adapter as new.
    if (item.device && item.device->type == item.type) item.device->ResetRecord();
    item.Reset();
    doc_.Save();
    view_.UpdateList();
}
