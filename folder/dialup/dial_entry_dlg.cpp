#include "folder/dialup/dial_entry_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "folder/dialup/peer_file.h"
#include "folder/folder_strings.h"
#include "folder/resource_ids.h"
#include "platform/text_format.h"
#include "ui/dialog_facility.h"
#include "ui/resource_id.h"

using namespace folder;

namespace {

QString adapterText(const DialAdapter& adapter) {
    return adapter.label.isEmpty() ? QString::fromStdString(adapter.device)
                                   : QStringLiteral("%1 (%2)").arg(
                                         adapter.label, QString::fromStdString(adapter.device));
}

template <typename Field>
Field* addField(QFormLayout* form, std::uint32_t label, std::uint32_t id, Field* field) {
    ui::setResourceId(field, static_cast<int>(id));
    auto* caption = new QLabel(Text(label));
    caption->setBuddy(field);
    form->addRow(caption, field);
    return field;
}

}  // namespace

CDialEntryDlg::CDialEntryDlg(const std::vector<DialAdapter>& adapters, const std::string& name,
                             const dialup::DialEntry& entry, QWidget* parent)
    : QDialog(parent) {
    ui::setResourceId(this, static_cast<int>(IDD_DIAL_ENTRY));
    setWindowTitle(name.empty() ? Text(IDS_ENTRY_TITLE_NEW)
                                : QString::fromStdString(platform::formatInserts(
                                      Utf8(IDS_ENTRY_TITLE_EDIT), {platform::FormatArg(name)})));

    auto* form = new QFormLayout;
    name_ = addField(form, IDS_ENTRY_NAME, IDC_ENTRY_NAME, new QLineEdit(this));
    name_->setText(QString::fromStdString(name));
    name_->setMaxLength(static_cast<int>(dialup::kMaxNameLength));
    name_->setReadOnly(!name.empty());
    adapter_ = addField(form, IDS_ENTRY_ADAPTER, IDC_ENTRY_ADAPTER, new QComboBox(this));
    for (const DialAdapter& adapter : adapters)
        adapter_->addItem(adapterText(adapter), QString::fromStdString(adapter.device));
    if (!entry.device.empty()) {
        int index = adapter_->findData(QString::fromStdString(entry.device));
        if (index < 0) {
            adapter_->addItem(QString::fromStdString(entry.device),
                              QString::fromStdString(entry.device));
            index = adapter_->count() - 1;
        }
        adapter_->setCurrentIndex(index);
    }
    number_ = addField(form, IDS_ENTRY_NUMBER, IDC_ENTRY_NUMBER, new QLineEdit(this));
    number_->setText(QString::fromStdString(entry.number));
    number_->setMaxLength(static_cast<int>(dialup::kMaxNumberLength));
    number_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    user_ = addField(form, IDS_ENTRY_USER, IDC_ENTRY_USER, new QLineEdit(this));
    user_->setText(QString::fromStdString(entry.user));
    speed_ = addField(form, IDS_ENTRY_SPEED, IDC_ENTRY_SPEED, new QComboBox(this));
    for (std::uint32_t speed : dialup::kSpeeds) speed_->addItem(QString::number(speed), speed);
    const int speedIndex = speed_->findData(entry.speed ? entry.speed : dialup::kDefaultSpeed);
    speed_->setCurrentIndex(speedIndex >= 0 ? speedIndex : speed_->findData(dialup::kDefaultSpeed));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    (name.empty() ? name_ : number_)->setFocus();
}

std::string CDialEntryDlg::Name() const {
    return name_->text().toStdString();
}

dialup::DialEntry CDialEntryDlg::Entry() const {
    return {adapter_->currentData().toString().toStdString(), speed_->currentData().toUInt(),
            number_->text().trimmed().toStdString(), user_->text().toStdString()};
}

void CDialEntryDlg::accept() {
    const auto refuse = [this](std::uint32_t text, QLineEdit* field,
                               std::initializer_list<platform::FormatArg> inserts = {}) {
        ui::messageBox(this, Strings(), text, ui::Icon::Warning, ui::Buttons::Ok,
                       Strings().text(IDS_DIALUP_TITLE), inserts);
        field->setFocus();
    };
    const dialup::DialEntry entry = Entry();
    if (!dialup::IsSafeName(Name())) return refuse(IDS_DIALUP_BAD_NAME, name_, {Name()});
    if (adapter_->currentIndex() < 0) return refuse(IDS_DIALUP_NO_ADAPTER, number_);
    if (!dialup::IsDialNumber(entry.number)) return refuse(IDS_DIALUP_BAD_NUMBER, number_);
    if (!dialup::IsSafeUser(entry.user)) return refuse(IDS_DIALUP_BAD_USER, user_);
    QDialog::accept();
}
