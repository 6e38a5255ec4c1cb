// The device folder's question before firmware is loaded into an adapter.
#include <cstdio>

#include "device/device_info.h"
#include "folder/firmware_confirm_dlg.h"
#include "folder/folder_item.h"
#include "tools/screenshots/screens.h"

VELKA_SCREEN("folder_firmware_confirm", [](screenshots::Scene& s) {
    auto* record = s.make<CDeviceInfo>();
    std::snprintf(record->versionText, sizeof record->versionText, "%s", "V2.10");
    auto* item = s.make<CFolderItem>();
    item->device = record;
    item->type = 1;
    item->portName = "COM1";
    item->label = "Tamo T/A ISDN Modem auf COM1";
    s.dialog = std::make_unique<CFirmwareConfirmDlg>(*item);
});
