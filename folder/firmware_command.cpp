#include "folder/firmware_command.h"

#include "config/config.h"
#include "folder/firmware_confirm_dlg.h"
#include "folder/folder_commands.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "platform/status_codes.h"

namespace {

// An adapter that runs only its boot loader has nothing to lose: not asked.
bool confirmed(CFolderView& view, const CFolderItem& item) {
    if (item.device->firmwareState == device::kFirmwareBootOnly) return true;
    CFirmwareConfirmDlg confirm(item, &view);
    return view.runDialog(confirm) == QDialog::Accepted;
}

}  // namespace

std::int32_t LoadFirmware(CFolderView& view, CFolderDoc& doc, int item, const std::string& file) {
    CFolderItem& entry = doc.Item(item);
    if (!entry.device) return firmware::kUpgradeCancelled;
    if (!view.LockDevices()) return folder::kFolderDevicesBusy;
    std::int32_t result = firmware::kUpgradeCancelled;
    if (confirmed(view, entry)) {
        view.Trace("upgrade " + entry.portName);
        result = view.Commands().Config().UpgradeFirmware(&view, *entry.device, entry.label.c_str(),
                                                          entry.profileNames, file.c_str(), 1);
    }
    view.UnlockDevices();
    if (result != firmware::kUpgradeCancelled) view.RefreshAfterUpgrade(entry.portName);
    return result;
}
