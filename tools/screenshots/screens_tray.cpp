// The status monitor: its menu (with the default item in bold) and the
// about box.
#include "tools/screenshots/screens.h"
#include "tray/about_dlg.h"
#include "tray/tray_menu.h"

VELKA_SCREEN("tray_menu", [](screenshots::Scene& s) {
    auto menu = CreateTrayMenu([](std::uint32_t) {});
    menu->setWindowTitle(menu->title().remove(QLatin1Char('&')));
    s.dialog = std::move(menu);
});

VELKA_SCREEN("tray_about", [](screenshots::Scene& s) { s.dialog = std::make_unique<CAboutDlg>(); });
