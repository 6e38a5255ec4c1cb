#pragma once
// The suite's about boxes share one look: the program's icon beside its
// product name, the lines under it and the OK button below.
#include <QDialog>
#include <QPixmap>
#include <QString>
#include <initializer_list>

#include "ui/ui_export.h"

namespace ui {

struct AboutLine {
    enum class Look { Title, Bold, Text };  // Text wraps and is set off by a gap
    int id;
    QString text;
    Look look;
};

VELKA_UI_EXPORT void layoutAboutBox(QDialog& dialog, const QPixmap& icon,
                                    std::initializer_list<AboutLine> lines, int minimumWidth);

}  // namespace ui
