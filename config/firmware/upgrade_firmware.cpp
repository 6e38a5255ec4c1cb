// CConfig::UpgradeFirmwareBox and CConfig::UpgradeFirmwarePCI: choose an
// image, check it against the device, confirm, download.
#include <string>

#include "config/config.h"
#include "config/config_strings.h"
#include "config/firmware/elm_version.h"
#include "config/firmware/firmware_check.h"
#include "config/firmware/firmware_load_dlg.h"
#include "config/firmware/firmware_select_dlg.h"
#include "config/firmware/firmware_status.h"
#include "config/firmware/firmware_store.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "profile/profile_settings.h"
#include "ui/dialog_facility.h"

namespace {

// The device's stored profiles may not survive a new firmware, so the
// caller's names and flags go back to their defaults, whatever the outcome.
class ResetAfterwards {
public:
    explicit ResetAfterwards(CProfileSettings& settings) : settings_(settings) {}
    ~ResetAfterwards() { settings_.SetDefaults(); }
    ResetAfterwards(const ResetAfterwards&) = delete;
    ResetAfterwards& operator=(const ResetAfterwards&) = delete;

private:
    CProfileSettings& settings_;
};

void inform(QWidget* owner, std::uint32_t id) {
    ui::messageBox(owner, config::Strings(), id, ui::Icon::Information, ui::Buttons::Ok,
                   config::Text(config::IDS_FW_CAPTION));
}

std::int32_t upgrade(QWidget* parent, CDeviceInfo& device, CProfileSettings& settings,
                     const char* fileName, int confirm, const char* defaultImage) {
    ResetAfterwards reset(settings);
    std::string path = fileName ? fileName : "";
    if (path.empty()) {
        const std::string store = firmware::storeDirectory();
        CFirmwareSelectDlg select(device.type, device.region,
                                  firmware::deviceVersion(device.versionText), store,
                                  store + defaultImage, parent);
        if (select.exec() != QDialog::Accepted) return firmware::kUpgradeCancelled;
        path = select.ChosenPath();
    }

    CElmVersion image;
    const std::int32_t elmStatus = image.ReadFile(path);
    if (const std::uint32_t refusal = firmware::refusalMessage(elmStatus, image, device.type)) {
        inform(parent, refusal);
        return firmware::kUpgradeCancelled;
    }
    if (confirm != 0 &&
        ConfirmFirmwareVersion(parent, path, device.region, device.versionText) != 1)
        return firmware::kUpgradeCancelled;

    CFirmwareLoadDlg load(parent);
    if (load.Setup(path, device.port, image.Version(), device.type,
                   device.firmwareState == device::kFirmwareBootOnly) != firmware::kOk)
        return firmware::kUpgradeFailed;
    const int result = load.Run();
    if (result == firmware::kLoaded) inform(parent, config::IDS_FW_LOADED);
    return firmware::upgradeResult(result);
}

}  // namespace

std::int32_t CConfig::UpgradeFirmwareBox(QWidget* parent, CDeviceInfo& device, const char*,
                                         CProfileSettings& settings, const char* fileName,
                                         int confirm) {
    return upgrade(parent, device, settings, fileName, confirm, "taboxna.elm");
}

std::int32_t CConfig::UpgradeFirmwarePCI(QWidget* parent, CDeviceInfo& device, const char*,
                                         CProfileSettings& settings, const char* fileName,
                                         int confirm) {
    return upgrade(parent, device, settings, fileName, confirm, "t71na.elm");
}
