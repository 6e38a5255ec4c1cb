#include "tray/tray_menu.h"

#include "tray/resource_ids.h"
#include "tray/tray_strings.h"
#include "ui/resource_id.h"

std::unique_ptr<QMenu> CreateTrayMenu(std::function<void(std::uint32_t)> onCommand) {
    auto menu = std::make_unique<QMenu>();
    menu->setTitle(tray::Text(tray::IDS_MENU_POPUP));
    ui::setResourceId(menu.get(), static_cast<int>(tray::IDR_TRAY_MENU));
    for (const std::uint32_t id : {tray::ID_OPEN_FOLDER, tray::ID_APP_ABOUT, tray::ID_DEACTIVATE}) {
        QAction* action = menu->addAction(tray::Text(id));
        ui::setResourceId(action, static_cast<int>(id));
        QObject::connect(action, &QAction::triggered, [onCommand, id] { onCommand(id); });
    }
    // Item 0 is the default: drawn in bold, and what a double click does.
    menu->setDefaultAction(menu->actions().front());
    return menu;
}
