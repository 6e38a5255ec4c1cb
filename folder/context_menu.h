#pragma once
// CContextMenu: menu 2203, which the right button opens on an adapter. Its
// entries are enabled as in the main menu; the default entry (bold) is
// "Konfigurieren", and for an adapter that does not respond "Informationen"
// heads the menu and is the default instead.
#include <QMenu>
#include <cstdint>
#include <functional>

class CContextMenu : public QMenu {
public:
    CContextMenu(bool responding, const std::function<bool(std::uint32_t)>& enabled,
                 QWidget* parent = nullptr);

    QAction* Find(std::uint32_t id) const;
    static std::uint32_t CommandOf(const QAction* action);
};
