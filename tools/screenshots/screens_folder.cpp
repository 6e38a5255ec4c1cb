// The device folder: its window with adapters in every state in each of the
// four view styles, the context menus, the settings, the tip, the about box
// and the dialogs after a detection, the help menu by installed products.
#include <QMenu>
#include <QMenuBar>
#include <cstring>

#include "folder/about_dlg.h"
#include "folder/after_config_dlg.h"
#include "folder/context_menu.h"
#include "folder/folder_doc.h"
#include "folder/folder_view.h"
#include "folder/follow_up_dlgs.h"
#include "folder/main_frame.h"
#include "folder/resource_ids.h"
#include "folder/settings_page.h"
#include "folder/tip_dlg.h"
#include "tools/screenshots/screens.h"
#include "ui/property_sheet.h"

namespace {

// Four adapters: a configured box, a new Pro box, a silent PCI card and a
// PC card whose firmware is damaged.
void fillAdapters(CFolderDoc& doc) {
    struct Found {
        int slot, type, firmware;
        const char* version;
        int region;
    } found[] = {{0, 1, 0, "V2.10", 0}, {2, 2, 0, "V1.31", 1}, {3, 16, 1, "", 255}};
    doc.ResetAll();
    for (const auto& f : found) {
        CDeviceInfo& r = doc.Record(f.slot);
        r.type = f.type;
        r.firmwareState = f.firmware;
        r.region = f.region;
        std::snprintf(r.port, sizeof r.port, "COM%d", f.slot + 1);
        std::snprintf(r.versionText, sizeof r.versionText, "%s", f.version);
    }
    doc.MatchItems();
    doc.Item(0).notConfigured = kItemConfigured;
    CFolderItem& absent = doc.Item(5);
    absent.type = 8;
    absent.portName = "COM6";
    absent.label = doc.MakeLabel(absent);
}

void folderWindow(screenshots::Scene& s, std::uint32_t style) {
    auto* doc = s.make<CFolderDoc>();
    fillAdapters(*doc);
    auto frame = std::make_unique<folder::CMainFrame>(*doc);
    frame->View()->UpdateList();
    frame->View()->OnCommand(style);
    frame->resize(760, 340);
    s.dialog = std::move(frame);
}

// The context menu on one of the adapters, enabled as the view would.
void contextMenu(screenshots::Scene& s, int item) {
    CFolderDoc doc;
    fillAdapters(doc);
    CFolderView view(doc);
    view.dialUpAvailable = view.terminalAvailable = [] { return true; };
    view.UpdateList();
    view.SelectItem(item);
    // The menu asks only while it is built.
    auto menu = std::make_unique<CContextMenu>(
        doc.Item(item).Responds(), [&view](std::uint32_t id) { return view.IsEnabled(id); });
    menu->setWindowTitle(QString::fromStdString(doc.Item(item).label));
    s.dialog = std::move(menu);
}

}  // namespace

VELKA_SCREEN("folder_context_menu", [](screenshots::Scene& s) { contextMenu(s, 0); });
VELKA_SCREEN("folder_context_menu_silent", [](screenshots::Scene& s) { contextMenu(s, 5); });

VELKA_SCREEN("folder_details",
             [](screenshots::Scene& s) { folderWindow(s, folder::ID_VIEW_DETAILS); });
VELKA_SCREEN("folder_large_icons",
             [](screenshots::Scene& s) { folderWindow(s, folder::ID_VIEW_LARGE); });
VELKA_SCREEN("folder_small_icons",
             [](screenshots::Scene& s) { folderWindow(s, folder::ID_VIEW_SMALL); });
VELKA_SCREEN("folder_list", [](screenshots::Scene& s) { folderWindow(s, folder::ID_VIEW_LIST); });

VELKA_SCREEN("folder_settings", [](screenshots::Scene& s) {
    auto* settings = s.make<FolderSettings>();
    auto sheet = std::make_unique<ui::PropertySheet>(QStringLiteral("Einstellungen"));
    sheet->setApplyButton(false);
    auto* page = s.make<CSettingsPage>(*settings, std::function<void()>());
    sheet->addPage(page);
    sheet->create();
    s.dialog = std::move(sheet);
});

VELKA_SCREEN("folder_tip", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CTipDlg>(InstalledProducts::Read());
});

VELKA_SCREEN("folder_about",
             [](screenshots::Scene& s) { s.dialog = std::make_unique<CFolderAboutDlg>(); });

VELKA_SCREEN("folder_not_configured", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CNotConfiguredDlg>(
        std::vector<CItemChoiceDlg::Row>{{QStringLiteral("Tamo T/A Pro ISDN Modem auf COM3")},
                                         {QStringLiteral("Tamo T/A ISDN Modem auf COM1")}});
});

VELKA_SCREEN("folder_wrong_driver", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CWrongDriverDlg>(
        std::vector<CItemChoiceDlg::Row>{{QStringLiteral("Tamo T/A ISDN Modem auf COM1")}});
});

VELKA_SCREEN("folder_newer_firmware", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CNewerFirmwareDlg>(
        std::vector<CItemChoiceDlg::Row>{{QStringLiteral("Tamo T/A ISDN Modem auf COM1"),
                                          QStringLiteral("2.10"), QStringLiteral("2.12")}});
});

// The frame's help menu, its actions shown in a menu of their own (the frame
// that owns them lives as long as the scene).
VELKA_SCREEN("folder_help_menu", [](screenshots::Scene& s) {
    auto* doc = s.make<CFolderDoc>();
    auto* frame = s.make<folder::CMainFrame>(*doc);
    auto menu = std::make_unique<QMenu>();
    menu->addActions(frame->menuBar()->actions().last()->menu()->actions());
    s.dialog = std::move(menu);
});

VELKA_SCREEN("folder_help_menu_product", [](screenshots::Scene& s) {
    auto* doc = s.make<CFolderDoc>();
    auto* frame = s.make<folder::CMainFrame>(*doc);
    auto menu = std::make_unique<QMenu>();
    for (QAction* entry : frame->menuBar()->actions().last()->menu()->actions())
        if (entry->menu()) {
            menu->addActions(entry->menu()->actions());
            break;
        }
    s.dialog = std::move(menu);
});

VELKA_SCREEN("folder_after_config", [](screenshots::Scene& s) {
    s.dialog = std::make_unique<CAfterConfigDlg>(kDevicePro);
});
