#include "ui/dialog_units.h"

#include <QFontMetrics>

namespace ui {

QSize dialogUnitsToPixels(const QFont& font, QSize units) {
    const QFontMetrics fm(font);
    // The average over the Latin letters, as the classic measure takes it.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    const int baseY = fm.height();
    return QSize((units.width() * baseX + 2) / 4, (units.height() * baseY + 4) / 8);
}

}  // namespace ui
