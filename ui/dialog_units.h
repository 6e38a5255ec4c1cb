#pragma once
// Dialog units, the measure the suite's dialog layouts are given in: a
// horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.
#include <QFont>
#include <QSize>

#include "ui/ui_export.h"

namespace ui {

VELKA_UI_EXPORT QSize dialogUnitsToPixels(const QFont& font, QSize units);

}  // namespace ui
