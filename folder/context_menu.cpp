#include "folder/context_menu.h"

#include "folder/folder_strings.h"
#include "folder/main_frame.h"
#include "folder/resource_ids.h"
#include "ui/resource_id.h"

using namespace folder;

namespace {

// 0 draws a separator.
constexpr std::uint32_t kLayout[] = {
    ID_QUICK_CONFIG,
    ID_CONFIGURE_PROFILES,
    ID_WIZARD,
    0,
    ID_RESET,
    ID_IMPORT,
    ID_EXPORT,
    ID_FIRMWARE,
    0,
    ID_TERMINAL,
    ID_INSTALL,
    ID_DELETE,
    0,
    ID_DETAILS,
};

}  // namespace

CContextMenu::CContextMenu(bool responding, const std::function<bool(std::uint32_t)>& enabled,
                           QWidget* parent)
    : QMenu(parent) {
    ui::setResourceId(this, static_cast<int>(IDR_CONTEXT_MENU));
    const auto add = [&](std::uint32_t id, const QString& text) {
        QAction* action = addAction(text);
        action->setData(id);
        action->setEnabled(enabled(id));
        return action;
    };
    if (!responding) {
        setDefaultAction(add(ID_INFORMATION, Text(IDS_INFORMATION)));
        addSeparator();
    }
    for (std::uint32_t id : kLayout) {
        if (id == 0) {
            addSeparator();
            continue;
        }
        QAction* action = add(id, CommandText(id));
        if (responding && id == ID_QUICK_CONFIG) setDefaultAction(action);
    }
}

QAction* CContextMenu::Find(std::uint32_t id) const {
    for (QAction* action : actions())
        if (CommandOf(action) == id) return action;
    return nullptr;
}

std::uint32_t CContextMenu::CommandOf(const QAction* action) {
    return action->data().toUInt();
}
