#include "folder/firmware_command.h"

#include "config/config.h"
#include "folder/firmware_confirm_dlg.h"
#include "folder/folder_commands.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "platform/status_codes.h"

std::int32_t LoadFirmware(CFolderView& view, CFolderDoc& doc, int item, const std::string& file) {
    CFolderItem& entry = doc.Item(item);
    if (!entry.device) return firmware::kUpgradeCancelled;
    if (!view.LockDevices()) return folder::kFolderDevicesBusy;
    std::int32_t result = firmware::kUpgradeCancelled;
    CFirmwareConfirmDlg confirm(entry, &view);
    if (entry.device->firmwareState == device::kFirmwareBootOnly ||
        view.runDialog(confirm) == QDialog::Accepted) {
        view.Trace("upgrade " + entry.portName);
        result = view.Commands().Config().UpgradeFirmware(&view, *entry.device, entry.label.c_str(),
                                                          entry.profileNames, file.c_str(), 1);
    }
    view.UnlockDevices();
    if (result != firmware::kUpgradeCancelled) view.RefreshAfterUpgrade(entry.portName);
    return result;
}
