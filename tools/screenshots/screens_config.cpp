// The configurator's dialogs: the busy dialog for every kind and direction,
// the profile selection sheet and its rename dialog.
#include <QCoreApplication>

#include "config/busy_animation.h"
#include "config/config_strings.h"
#include "config/context_help_property_sheet.h"
#include "config/delay_dlg.h"
#include "config/profile_select.h"
#include "config/resource_ids.h"
#include "device/device_info.h"
#include "profile/device_profiles.h"
#include "profile/profile_settings.h"
#include "tools/screenshots/screens.h"

namespace {

enum class Direction { Read, Write, Import };

void busy(screenshots::Scene& s, std::int32_t kind, Direction direction) {
    auto* profiles = s.make<CDeviceProfiles>();
    auto* device = s.make<CDeviceInfo>();
    auto* settings = s.make<CProfileSettings>();
    device->type = kind;
    std::unique_ptr<CDelayDlg> dialog;
    if (direction == Direction::Read) {
        dialog = MakeReadDelayDlg(*profiles, *device, *settings, config::ReadAnimation(kind));
        dialog->SetBusyText(config::IDS_BUSY_READING, "");
    } else {
        const int animation = direction == Direction::Write ? config::WriteAnimation(kind)
                                                            : config::ImportAnimation(kind);
        dialog = MakeWriteDelayDlg(*profiles, *device, animation);
        dialog->SetBusyText(config::IDS_BUSY_WRITING, "");
    }
    QCoreApplication::processEvents();  // the text arrives as it would from the worker
    s.dialog = std::move(dialog);
}

}  // namespace

VELKA_SCREEN("busy_read_box", [](screenshots::Scene& s) { busy(s, 1, Direction::Read); });
VELKA_SCREEN("busy_write_box", [](screenshots::Scene& s) { busy(s, 1, Direction::Write); });
VELKA_SCREEN("busy_read_pro", [](screenshots::Scene& s) { busy(s, 2, Direction::Read); });
VELKA_SCREEN("busy_write_pro", [](screenshots::Scene& s) { busy(s, 2, Direction::Write); });
VELKA_SCREEN("busy_read_pci", [](screenshots::Scene& s) { busy(s, 8, Direction::Read); });
VELKA_SCREEN("busy_write_pci", [](screenshots::Scene& s) { busy(s, 8, Direction::Write); });
VELKA_SCREEN("busy_read_pccard", [](screenshots::Scene& s) { busy(s, 16, Direction::Read); });
VELKA_SCREEN("busy_write_pccard", [](screenshots::Scene& s) { busy(s, 16, Direction::Write); });
VELKA_SCREEN("busy_import_pccard", [](screenshots::Scene& s) { busy(s, 16, Direction::Import); });
VELKA_SCREEN("busy_read_other", [](screenshots::Scene& s) { busy(s, 64, Direction::Read); });
VELKA_SCREEN("busy_write_other", [](screenshots::Scene& s) { busy(s, 64, Direction::Write); });

VELKA_SCREEN("CPageProfileSelect", [](screenshots::Scene& s) {
    auto* device = s.make<CDeviceInfo>();
    auto* settings = s.make<CProfileSettings>();
    device->type = 1;
    device->region = 0;
    settings->names = {"Büro (MLPPP, beide Nummern)", "Heimbüro", "Reise über Nebenstelle"};
    auto* page = s.make<CPageProfileSelect>();
    page->Profiles().activeProfile = 1;
    page->SetContext(*settings, "Tamo T/A ISDN Modem an COM3", *device);
    page->setHasHelp(true);
    auto sheet =
        std::make_unique<CContextHelpPropertySheet>(QStringLiteral("Tamo T/A ISDN Modem an COM3"));
    sheet->addPage(page);
    s.dialog = std::move(sheet);
});

VELKA_SCREEN("CRenameDlg", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CRenameDlg>(QStringLiteral("Reise über Nebenstelle"));
});
