#pragma once
// Every dialog and control of the suite carries its resource number as its
// object name ("id1552"), so tests find controls the way the adapter's users
// know them from the help texts, and context help finds the number to open.
#include <QString>
#include <QWidget>

#include "ui/ui_export.h"

namespace ui {

VELKA_UI_EXPORT QString resourceName(int id);  // "id<id>"
VELKA_UI_EXPORT void setResourceId(QObject* object, int id);
// The number in an object name of the form "id<number>"; -1 for any other name.
VELKA_UI_EXPORT int resourceId(const QObject* object);
// The nearest widget from `widget` up to (not beyond) `stop` that carries an
// id; nullptr when none does.
VELKA_UI_EXPORT QWidget* widgetWithId(QWidget* widget, const QWidget* stop = nullptr);

// A control below `root` by its id, of the type asked for; nullptr when there
// is none (or it has another type).
template <typename T = QWidget>
T* findControl(const QObject* root, int id) {
    return root ? root->findChild<T*>(resourceName(id)) : nullptr;
}

}  // namespace ui
