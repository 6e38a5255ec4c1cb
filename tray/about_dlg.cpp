#include "tray/about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "tray/resource_ids.h"
#include "tray/tray_strings.h"
#include "ui/resource_id.h"

namespace {

QLabel* label(std::uint32_t id, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    ui::setResourceId(l, static_cast<int>(id));
    return l;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    ui::setResourceId(this, static_cast<int>(tray::IDD_ABOUTBOX));
    setWindowTitle(tray::Text(tray::IDS_ABOUT_TITLE));

    auto* icon = new QLabel(this);
    icon->setPixmap(
        QIcon(QStringLiteral(":/velka/tray/%1.png").arg(tray::IDI_READY)).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* product = label(tray::IDC_ABOUT_PRODUCT, tray::Text(tray::IDS_ABOUT_PRODUCT), this);
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.35);
    product->setFont(large);
    auto* maker = label(tray::IDC_ABOUT_MAKER, tray::Text(tray::IDS_ABOUT_MAKER), this);
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    maker->setFont(bold);
    auto* text = label(tray::IDC_ABOUT_TEXT, tray::Text(tray::IDS_ABOUT_TEXT), this);
    text->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(maker);
    texts->addSpacing(6);
    texts->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(8);
    row->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}
