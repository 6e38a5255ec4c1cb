#include "folder/firmware_confirm_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "folder/folder_item.h"
#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "platform/text_format.h"
#include "ui/resource_id.h"
#include "ui/ui_strings.h"

using namespace folder;

namespace {

QLabel* wrapped(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

CFirmwareConfirmDlg::CFirmwareConfirmDlg(const CFolderItem& item, QWidget* parent)
    : QDialog(parent) {
    ui::setResourceId(this, static_cast<int>(IDD_FIRMWARE_CONFIRM));
    setWindowTitle(Text(IDS_FIRMWARE_CONFIRM_TITLE));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* question = wrapped(QString::fromStdString(platform::formatInserts(
                                 Strings().text(IDS_FIRMWARE_CONFIRM_QUESTION),
                                 {platform::FormatArg(item.label.c_str())})),
                             this);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);

    const bool known = item.device && item.device->versionText[0];
    auto* facts = new QFormLayout;
    facts->setVerticalSpacing(4);
    facts->addRow(Text(IDS_FIRMWARE_CONFIRM_PORT),
                  new QLabel(QString::fromStdString(item.portName), this));
    facts->addRow(Text(IDS_FIRMWARE_CONFIRM_VERSION),
                  new QLabel(known ? QString::fromLatin1(item.device->versionText)
                                   : Text(IDS_VERSION_UNKNOWN),
                             this));

    auto* warning = wrapped(Text(IDS_FIRMWARE_CONFIRM_TEXT), this);
    ui::setResourceId(warning, static_cast<int>(IDC_FIRMWARE_TEXT));

    auto* buttons = new QDialogButtonBox(this);
    auto* load = buttons->addButton(Text(IDS_FIRMWARE_CONFIRM_LOAD), QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setText(QString::fromStdString(ui::uiText(ui::IDS_BUTTON_CANCEL)));
    load->setAutoDefault(false);
    cancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* text = new QVBoxLayout;
    text->addWidget(question);
    text->addLayout(facts);
    text->addWidget(warning);
    auto* body = new QHBoxLayout;
    body->addWidget(icon, 0, Qt::AlignTop);
    body->addLayout(text, 1);
    body->setSpacing(16);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    // A wrapped text gets its height from its width; a width fixed by the
    // font keeps both right at any font size, so the dialog keeps its size.
    const int textWidth = fontMetrics().averageCharWidth() * 64;
    question->setFixedWidth(textWidth);
    warning->setFixedWidth(textWidth);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    cancel->setFocus();
}
