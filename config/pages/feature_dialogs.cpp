#include "config/pages/feature_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/config_strings.h"
#include "config/pages/profile_page.h"
#include "config/resource_ids.h"
#include "profile/field_rules.h"
#include "ui/data_exchange.h"
#include "ui/resource_id.h"

namespace config::pages {

namespace {

constexpr std::int32_t kMaxRefresh = 65535;

QLineEdit* addField(QWidget* dialog, QFormLayout* form, int id, const QString& label, int chars) {
    auto* edit = new QLineEdit(dialog);
    edit->setMaxLength(chars + 4);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (chars + 4));
    ui::setResourceId(edit, id);
    form->addRow(label, edit);
    return edit;
}

QDialogButtonBox* addButtons(QDialog* dialog, QVBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

void exchangeKey(ui::DataExchange& dx, int id, std::string& key) {
    dx.text(id, key);
    if (!dx.saving() || dx.failed()) return;
    if (key.empty()) {
        dx.fail(config::Strings(), 57394);
        return;
    }
    const profile::FieldFault fault = profile::CheckFeatureKey(key);
    if (fault != profile::FieldFault::None)
        dx.fail(config::Strings(), profile::FieldMessageId(profile::FieldRule::FeatureKey, fault));
}

}  // namespace

CFeatureKeysDlg::CFeatureKeysDlg(CommonFeatures& features, QWidget* parent)
    : QDialog(parent), features_(features) {
    ui::setResourceId(this, IDD_FEATURE_KEYS);
    setWindowTitle(Tr(57413));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(Tr(57414), this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    addField(this, form, IDC_CONFERENCE_KEY, QStringLiteral("&Konferenz:"), 5);
    addField(this, form, IDC_DROP_KEY, QStringLiteral("&Verbindung trennen:"), 5);
    addField(this, form, IDC_VMWI_KEY, QStringLiteral("&Nachricht wartet:"), 5);
    addButtons(this, layout);
    exchange(false);
}

bool CFeatureKeysDlg::exchange(bool save) {
    // A refused key never reaches the caller's copy.
    CommonFeatures keys = features_;
    ui::DataExchange dx(*this, save);
    exchangeKey(dx, IDC_CONFERENCE_KEY, keys.callConferenceKey);
    exchangeKey(dx, IDC_DROP_KEY, keys.callDropKey);
    exchangeKey(dx, IDC_VMWI_KEY, keys.vmwiKey);
    if (dx.failed() && dx.preparedControl()) dx.preparedControl()->setFocus();
    if (!dx.failed()) features_ = keys;
    return !dx.failed();
}

void CFeatureKeysDlg::accept() {
    if (exchange(true)) QDialog::accept();
}

CCommonFeaturesDlg::CCommonFeaturesDlg(CommonFeatures& features, QWidget* parent)
    : QDialog(parent), features_(features), edited_(features) {
    ui::setResourceId(this, IDD_COMMON_FEATURES);
    setWindowTitle(QStringLiteral("Gemeinsame Leistungsmerkmale"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    addField(this, form, IDC_VMWI_REFRESH,
             QStringLiteral("&Auffrischen der Nachrichtenanzeige (Minuten):"), 5);
    auto* keys = new QPushButton(Tr(57412), this);
    ui::setResourceId(keys, IDC_FEATURE_KEYS);
    connect(keys, &QPushButton::clicked, this, &CCommonFeaturesDlg::editKeys);
    form->addRow(keys);
    addButtons(this, layout);
    exchange(false);
}

bool CCommonFeaturesDlg::exchange(bool save) {
    ui::DataExchange dx(*this, save);
    std::string refresh = std::to_string(edited_.vmwiRefreshTime);
    dx.text(IDC_VMWI_REFRESH, refresh);
    if (save && !dx.failed()) {
        const auto value = profile::ParseFieldNumber(refresh);
        if (!value || *value < 0 || *value > kMaxRefresh)
            dx.fail(config::Strings(), 57395);
        else
            edited_.vmwiRefreshTime = *value;
    }
    if (dx.failed() && dx.preparedControl()) dx.preparedControl()->setFocus();
    return !dx.failed();
}

void CCommonFeaturesDlg::editKeys() {
    CommonFeatures keys = edited_;
    CFeatureKeysDlg dialog(keys, this);
    if (dialog.exec() == QDialog::Accepted) edited_ = keys;
}

void CCommonFeaturesDlg::accept() {
    if (!exchange(true)) return;
    changed_ = edited_.callConferenceKey != features_.callConferenceKey ||
               edited_.callDropKey != features_.callDropKey ||
               edited_.vmwiKey != features_.vmwiKey ||
               edited_.vmwiRefreshTime != features_.vmwiRefreshTime;
    features_ = edited_;
    QDialog::accept();
}

}  // namespace config::pages
