#include "config/pages/profile_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "config/config_strings.h"
#include "config/pages/port_settings.h"
#include "config/resource_ids.h"
#include "profile/profile.h"
#include "ui/resource_id.h"

namespace config::pages {

QString Tr(std::uint32_t id) {
    return QString::fromStdString(config::Text(id));
}

CProfilePage::CProfilePage(int dialogId, const QString& caption)
    : ui::PropertyPage(dialogId, caption) {
    setHasHelp(true);
}

void CProfilePage::Setup(CProfile& profile, CDeviceInfo& device) {
    profile_ = &profile;
    device_ = &device;
    load();
}

bool CProfilePage::onApply() {
    if (profile_ && changed()) store();
    return true;
}

QComboBox* CProfilePage::addCombo(QFormLayout* form, int id, const QString& label,
                                  const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->addItems(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ui::setResourceId(combo, id);
    form->addRow(label, combo);
    return combo;
}

QLineEdit* CProfilePage::addEdit(QFormLayout* form, int id, const QString& label, int maxChars) {
    auto* edit = new QLineEdit(this);
    edit->setMaxLength(maxChars);
    // Wide enough for what it holds, with room for the spaces of a number.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (maxChars + 4));
    ui::setResourceId(edit, id);
    form->addRow(label, edit);
    return edit;
}

QCheckBox* CProfilePage::addCheck(QFormLayout* form, int id, const QString& text) {
    auto* check = new QCheckBox(text, this);
    ui::setResourceId(check, id);
    form->addRow(check);
    return check;
}

void CProfilePage::exchangeItem(ui::DataExchange& dx, int id, std::int32_t& value) {
    auto* combo = qobject_cast<QComboBox*>(dx.prepare(id));
    if (!combo || dx.failed()) return;
    if (dx.saving()) {
        if (combo->currentIndex() >= 0) value = combo->currentData().toInt();
    } else {
        combo->setCurrentIndex(combo->findData(value));
    }
}

void CProfilePage::exchangeChecked(ui::DataExchange& dx, int id, std::string& value,
                                   profile::FieldRule rule, TextCheck check) {
    dx.text(id, value);
    if (!dx.saving() || dx.failed()) return;
    const profile::FieldFault fault = check(value);
    if (fault != profile::FieldFault::None) failAt(dx, id, profile::FieldMessageId(rule, fault));
}

void CProfilePage::setLabelOf(int id, const QString& text) {
    QWidget* field = ui::findControl(this, id);
    auto* form = field ? qobject_cast<QFormLayout*>(field->parentWidget()->layout()) : nullptr;
    if (auto* label = form ? qobject_cast<QLabel*>(form->labelForField(field)) : nullptr)
        label->setText(text);
}

void CProfilePage::failAt(ui::DataExchange& dx, int id, std::uint32_t message) {
    dx.prepare(id);
    dx.fail(config::Strings(), message);
}

bool CProfilePage::hasNumbers() const {
    return profile_ && !(profile_->number1.empty() && profile_->number2.empty());
}

QStringList CProfilePage::numberChoices(bool withBoth) const {
    if (!hasNumbers()) return {Tr(57351)};
    QStringList items{
        Tr(57352).replace(QLatin1String("%s"), QString::fromStdString(profile_->number1))};
    if (OneNumberOnly(profile_->number1, profile_->number2)) return items;
    items << Tr(57353).replace(QLatin1String("%s"), QString::fromStdString(profile_->number2));
    if (withBoth) items << Tr(57350);
    return items;
}

std::string CProfilePage::secondNumberOf(std::int32_t choice) const {
    const std::string& number = choice == kSecondNumber ? profile_->number2 : profile_->number1;
    return std::string(SecondNumberOf(number));
}

void CProfilePage::storeSecondNumber(std::int32_t choice, const std::string& second) {
    if (second == secondNumberOf(choice)) return;
    if (choice == kSecondNumber) {
        profile_->number2 = WithSecondNumber(profile_->number2, second);
        return;
    }
    // A second number equal to the first stands for the first: it follows.
    const bool same = profile_->number2 == profile_->number1;
    profile_->number1 = WithSecondNumber(profile_->number1, second);
    if (same) profile_->number2 = profile_->number1;
}

QLineEdit* CProfilePage::addSecondNumber(QFormLayout* form, const QString& label) {
    return addEdit(form, IDC_SECOND_NUMBER, label, 20);
}

void CProfilePage::showSecondNumber(std::int32_t choice, std::string& value) {
    value = secondNumberOf(choice);
    if (auto* edit = ui::findControl<QLineEdit>(this, IDC_SECOND_NUMBER))
        edit->setText(QString::fromStdString(value));
}

}  // namespace config::pages
