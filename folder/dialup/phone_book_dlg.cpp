#include "folder/dialup/phone_book_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "folder/dialup/dial_up_networking.h"
#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "platform/status_codes.h"
#include "ui/resource_id.h"

using namespace folder;

CPhoneBookDlg::CPhoneBookDlg(CDialUpNetworking& dialUp, QWidget* parent)
    : QDialog(parent), dialUp_(dialUp) {
    ui::setResourceId(this, static_cast<int>(IDD_PHONE_BOOK));
    setWindowTitle(Text(IDS_DIALUP_TITLE));

    list_ = new QListWidget(this);
    ui::setResourceId(list_, static_cast<int>(IDC_DIALUP_LIST));
    list_->setMinimumSize(260, 180);
    auto* caption = new QLabel(Text(IDS_DIALUP_ENTRIES), this);
    caption->setBuddy(list_);
    empty_ = new QLabel(Text(IDS_DIALUP_EMPTY), this);
    empty_->setWordWrap(true);

    auto* left = new QVBoxLayout;
    left->addWidget(caption);
    left->addWidget(list_, 1);
    left->addWidget(empty_);
    auto* right = new QVBoxLayout;
    dial_ = AddButton(IDS_DIALUP_DIAL, IDC_DIALUP_DIAL);
    hangUp_ = AddButton(IDS_DIALUP_HANG_UP, IDC_DIALUP_HANG_UP);
    edit_ = AddButton(IDS_DIALUP_EDIT, IDC_DIALUP_EDIT);
    QPushButton* add = AddButton(IDS_DIALUP_NEW, IDC_DIALUP_NEW);
    delete_ = AddButton(IDS_DIALUP_DELETE, IDC_DIALUP_DELETE);
    for (QPushButton* button : {dial_, hangUp_, edit_}) right->addWidget(button);
    right->addSpacing(12);
    right->addWidget(add);
    right->addWidget(delete_);
    right->addStretch();
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addLayout(right);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(Text(IDS_DIALUP_CLOSE));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(buttons);

    connect(dial_, &QPushButton::clicked, this, [this] { dialUp_.Dial(this, Selected()); });
    connect(hangUp_, &QPushButton::clicked, this, [this] { dialUp_.HangUp(this, Selected()); });
    connect(edit_, &QPushButton::clicked, this, [this] {
        std::string name = Selected();
        dialUp_.EditEntry(this, name);
        ShowEntries(name);
    });
    connect(add, &QPushButton::clicked, this, [this] {
        std::string name;
        dialUp_.EditEntry(this, name);
        ShowEntries(name);
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        dialUp_.RemoveEntry(this, Selected());
        ShowEntries();
    });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { EnableButtons(); });
    connect(list_, &QListWidget::itemActivated, this, [this] { dialUp_.Dial(this, Selected()); });
    ShowEntries();
}

QPushButton* CPhoneBookDlg::AddButton(std::uint32_t text, std::uint32_t id) {
    auto* button = new QPushButton(Text(text), this);
    ui::setResourceId(button, static_cast<int>(id));
    button->setAutoDefault(false);
    return button;
}

void CPhoneBookDlg::ShowEntries(const std::string& name) {
    list_->clear();
    for (const std::string& entry : dialUp_.Entries()) {
        list_->addItem(QString::fromStdString(entry));
        if (entry == name || (name.empty() && list_->count() == 1))
            list_->setCurrentRow(list_->count() - 1);
    }
    empty_->setVisible(list_->count() == 0);
    EnableButtons();
}

std::string CPhoneBookDlg::Selected() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->text().toStdString() : std::string();
}

void CPhoneBookDlg::EnableButtons() {
    const bool selected = list_->currentItem() != nullptr;
    for (QPushButton* button : {dial_, hangUp_, edit_, delete_}) button->setEnabled(selected);
}
