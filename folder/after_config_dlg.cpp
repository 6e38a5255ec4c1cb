#include "folder/after_config_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "platform/text_format.h"
#include "ui/resource_id.h"

using namespace folder;

namespace {

std::uint32_t productName(std::int32_t type) {
    switch (type) {
        case 1:
        case 4:
            return IDS_BOX;
        case 2:
            return IDS_PRO_BOX;
        case 8:
            return IDS_PCI_CARD;
        case 16:
            return IDS_PC_CARD;
        default:
            return IDS_OTHER_DEVICE;
    }
}

}  // namespace

CAfterConfigDlg::CAfterConfigDlg(std::int32_t type, QWidget* parent) : QDialog(parent) {
    ui::setResourceId(this, static_cast<int>(IDD_AFTER_CONFIG));
    setWindowTitle(Text(IDS_AFTER_CONFIG_TITLE));
    auto* intro = new QLabel(
        QString::fromStdString(platform::formatInserts(
            Strings().text(IDS_AFTER_CONFIG_TEXT), {platform::FormatArg(Utf8(productName(type)))})),
        this);
    intro->setWordWrap(true);

    choices_ = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    for (const auto& [id, text] : {std::pair{IDC_AFTER_USE_MODEM, IDS_AFTER_USE_MODEM},
                                   std::pair{IDC_AFTER_INTERNET, IDS_AFTER_INTERNET},
                                   std::pair{IDC_AFTER_DIAL_OTHER, IDS_AFTER_DIAL_OTHER}}) {
        auto* choice = new QRadioButton(Text(text), this);
        ui::setResourceId(choice, static_cast<int>(id));
        choices_->addButton(choice, static_cast<int>(id));
        layout->addWidget(choice);
    }
    choices_->buttons().first()->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Text(IDS_AFTER_CONFIG_CLOSE));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

void CAfterConfigDlg::accept() {
    chosen_ = static_cast<std::uint32_t>(choices_->checkedId());
    QDialog::accept();
}
