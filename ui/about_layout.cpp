#include "ui/about_layout.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/resource_id.h"

namespace ui {

void layoutAboutBox(QDialog& dialog, const QPixmap& icon, std::initializer_list<AboutLine> lines,
                    int minimumWidth) {
    auto* picture = new QLabel(&dialog);
    picture->setPixmap(icon);
    picture->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    for (const AboutLine& line : lines) {
        auto* label = new QLabel(line.text, &dialog);
        setResourceId(label, line.id);
        QFont font = dialog.font();
        switch (line.look) {
            case AboutLine::Look::Title:
                font.setPointSizeF(font.pointSizeF() * 1.35);
                break;
            case AboutLine::Look::Bold:
                font.setWeight(QFont::Bold);
                break;
            case AboutLine::Look::Text:
                label->setWordWrap(true);
                texts->addSpacing(6);
                break;
        }
        label->setFont(font);
        texts->addWidget(label);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addSpacing(8);
    row->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(row);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(minimumWidth);
}

}  // namespace ui
