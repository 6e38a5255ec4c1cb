#include "folder/follow_up_dlgs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "ui/resource_id.h"

using namespace folder;

CItemChoiceDlg::CItemChoiceDlg(int dialogId, std::uint32_t title, std::uint32_t text,
                               const QStringList& headers, const std::vector<Row>& rows,
                               QWidget* parent)
    : QDialog(parent) {
    ui::setResourceId(this, dialogId);
    setWindowTitle(Text(title));
    auto* intro = new QLabel(Text(text), this);
    intro->setWordWrap(true);

    list_ = new QTreeWidget(this);
    ui::setResourceId(list_, static_cast<int>(IDC_ITEM_LIST));
    list_->setRootIsDecorated(false);
    list_->setColumnCount(static_cast<int>(headers.size()));
    list_->setHeaderLabels(headers);
    list_->setHeaderHidden(headers.size() == 1);
    for (const auto& row : rows) new QTreeWidgetItem(list_, row);
    for (int c = 0; c < list_->columnCount(); ++c) list_->resizeColumnToContents(c);
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    list_->setMinimumHeight(110);

    dontAskBox_ = new QCheckBox(Text(IDS_DONT_ASK), this);
    ui::setResourceId(dontAskBox_, static_cast<int>(IDC_DONT_ASK));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        dontAsk_ = dontAskBox_->isChecked();
        reject();
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addWidget(dontAskBox_);
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

void CItemChoiceDlg::accept() {
    chosen_ = list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
    dontAsk_ = dontAskBox_->isChecked();
    QDialog::accept();
}

CNotConfiguredDlg::CNotConfiguredDlg(const std::vector<Row>& rows, QWidget* parent)
    : CItemChoiceDlg(IDD_NOT_CONFIGURED, IDS_NOT_CONFIGURED_TITLE, IDS_NOT_CONFIGURED_TEXT,
                     {Text(IDS_COL_DEVICE)}, rows, parent) {}

CWrongDriverDlg::CWrongDriverDlg(const std::vector<Row>& rows, QWidget* parent)
    : CItemChoiceDlg(IDD_WRONG_DRIVER, IDS_WRONG_DRIVER_TITLE, IDS_WRONG_DRIVER_TEXT,
                     {Text(IDS_COL_DEVICE)}, rows, parent) {}

CNewerFirmwareDlg::CNewerFirmwareDlg(const std::vector<Row>& rows, QWidget* parent)
    : CItemChoiceDlg(IDD_NEWER_FIRMWARE, IDS_NEWER_FIRMWARE_TITLE, IDS_NEWER_FIRMWARE_TEXT,
                     {Text(IDS_COL_FW_DEVICE), Text(IDS_COL_FW_CURRENT), Text(IDS_COL_FW_NEWEST)},
                     rows, parent) {}
