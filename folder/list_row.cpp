#include "folder/list_row.h"

#include "device/device_status.h"
#include "folder/folder_strings.h"
#include "folder/modem_enumerator.h"
#include "folder/resource_ids.h"
#include "platform/device_type.h"

using namespace folder;

RowState StateOfItem(const CFolderItem& item) {
    if (!item.device) return RowState::NotResponding;
    if (item.device->firmwareState == device::kFirmwareBootOnly) return RowState::Damaged;
    if (item.device->firmwareState != device::kFirmwareRunning || !item.responding)
        return RowState::NotResponding;
    return item.notConfigured == kItemConfigured ? RowState::Available : RowState::New;
}

std::uint32_t IconOfRow(std::int32_t type, RowState state) {
    static constexpr std::uint32_t kIcons[4][4] = {
        {IDI_BOX_OK, IDI_BOX_NEW, IDI_BOX_ABSENT, IDI_BOX_DAMAGED},
        {IDI_PRO_OK, IDI_PRO_NEW, IDI_PRO_ABSENT, IDI_PRO_DAMAGED},
        {IDI_PCI_OK, IDI_PCI_NEW, IDI_PCI_ABSENT, IDI_PCI_DAMAGED},
        {IDI_CARD_OK, IDI_CARD_NEW, IDI_CARD_ABSENT, IDI_CARD_DAMAGED},
    };
    int kind = -1;
    switch (type) {
        case kDeviceExternal:
        case kDeviceExternal6F:
            kind = 0;
            break;
        case kDevicePro:
            kind = 1;
            break;
        case kDevicePci:
            kind = 2;
            break;
        case kDevicePcCard:
            kind = 3;
            break;
        default:
            return 0;
    }
    return kIcons[kind][static_cast<int>(state)];
}

std::uint32_t StatusTextOfRow(RowState state) {
    static constexpr std::uint32_t kTexts[] = {IDS_STATUS_AVAILABLE, IDS_STATUS_NEW,
                                               IDS_STATUS_NOT_RESPONDING, IDS_STATUS_DAMAGED};
    return kTexts[static_cast<int>(state)];
}

bool ProductInstalledForType(const InstalledProducts& products, std::int32_t type) {
    switch (type) {
        case kDeviceExternal:
        case kDeviceExternal6F:
            return products.Has(kModelBox);
        case kDevicePro:
            return products.Has(kModelPro);
        case kDevicePci:
            return products.Has(kModelPci);
        case kDevicePcCard:
            return products.Has(kModelPcCard);
        default:
            return false;
    }
}

RowTexts FillRow(CFolderItem& item) {
    const RowState state = StateOfItem(item);
    RowTexts row;
    row.icon = IconOfRow(item.type, state);
    item.statusText = Utf8(StatusTextOfRow(state));
    const bool responds = item.responding && item.device;
    row.columns[0] = item.label;
    row.columns[1] = item.portName;
    row.columns[2] = Utf8(responds ? IDS_YES : IDS_NO);
    row.columns[3] = responds && item.device->versionText[0] ? std::string(item.device->versionText)
                                                             : Utf8(IDS_VERSION_UNKNOWN);
    const std::int32_t region = responds ? item.device->region : device::kRegionUnknown;
    row.columns[4] = Utf8(region == device::kRegionInternational  ? IDS_INTERNATIONAL
                          : region == device::kRegionNorthAmerica ? IDS_NORTH_AMERICA
                                                                  : IDS_REGION_UNKNOWN);
    return row;
}
