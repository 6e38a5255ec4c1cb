#include "folder/about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "ui/resource_id.h"

namespace {

QLabel* label(std::uint32_t id, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    ui::setResourceId(l, static_cast<int>(id));
    return l;
}

}  // namespace

CFolderAboutDlg::CFolderAboutDlg(QWidget* parent) : QDialog(parent) {
    using namespace folder;
    ui::setResourceId(this, static_cast<int>(IDD_ABOUTBOX));
    setWindowTitle(Text(IDS_ABOUT_TITLE));

    auto* icon = new QLabel(this);
    icon->setPixmap(
        QIcon(QStringLiteral(":/velka/folder/%1-32.png").arg(IDI_BOX_OK)).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* product = label(IDC_ABOUT_PRODUCT, Text(IDS_ABOUT_PRODUCT), this);
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 1.35);
    product->setFont(large);
    QFont bold = font();
    bold.setWeight(QFont::Bold);
    auto* version = label(IDC_ABOUT_VERSION, QStringLiteral("Version 1.0"), this);
    version->setFont(bold);
    auto* maker = label(IDC_ABOUT_MAKER, Text(IDS_ABOUT_MAKER), this);
    maker->setFont(bold);
    auto* text = label(IDC_ABOUT_TEXT, Text(IDS_ABOUT_TEXT), this);
    text->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(version);
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
    setMinimumWidth(380);
}
