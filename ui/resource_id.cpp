#include "ui/resource_id.h"

namespace ui {

QString resourceName(int id) {
    return QStringLiteral("id%1").arg(id);
}

void setResourceId(QObject* object, int id) {
    if (object) object->setObjectName(resourceName(id));
}

int resourceId(const QObject* object) {
    if (!object) return -1;
    const QString name = object->objectName();
    if (name.size() < 3 || !name.startsWith(QLatin1String("id"))) return -1;
    bool ok = false;
    const int id = QStringView(name).mid(2).toInt(&ok);
    // "id+5" and "id-1" parse as numbers too; only plain digits are ids.
    if (!ok || !name.at(2).isDigit() || id < 0) return -1;
    return id;
}

QWidget* widgetWithId(QWidget* widget, const QWidget* stop) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (resourceId(w) >= 0) return w;
        if (w == stop) break;
    }
    return nullptr;
}

}  // namespace ui
