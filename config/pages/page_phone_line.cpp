#include "config/pages/page_phone_line.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

#include "config/pages/feature_dialogs.h"
#include "config/pages/port_settings.h"
#include "config/pages/sheet_state.h"
#include "config/resource_ids.h"
#include "profile/profile.h"
#include "ui/resource_id.h"

namespace config::pages {

namespace {
constexpr std::int32_t kDefaultMode = 3;

std::int32_t& pick(int port, std::int32_t& first, std::int32_t& second) {
    return port == 1 ? first : second;
}
}  // namespace

std::int32_t CallTypePosition(std::int32_t mode) {
    if (mode == 2) return 1;
    if (mode == 1) return 2;
    return 0;
}

std::int32_t ModeOfCallType(std::int32_t position, std::int32_t loadedMode) {
    if (position == 1) return 2;
    if (position == 2) return 1;
    return CallTypePosition(loadedMode) == 0 && loadedMode != 0 ? loadedMode : kDefaultMode;
}

CPagePhoneLine::CPagePhoneLine(int dialogId, const QString& caption, int port)
    : CProfilePage(dialogId, caption), port_(port) {}

void CPagePhoneLine::load() {
    const std::uint8_t bit = port_ == 1 ? kPort1Bit : kPort2Bit;
    number_ = ReadPortNumber(profile_->portSettings, bit, profile_->number1, profile_->number2);
    mode_ = pick(port_, profile_->modePots1, profile_->modePots2);
    callType_ = CallTypePosition(mode_);
    distinctRing_ = pick(port_, profile_->distinctRingPots1, profile_->distinctRingPots2);
}

void CPagePhoneLine::store() {
    WritePortNumber(profile_->portSettings, port_ == 1 ? kPort1Bit : kPort2Bit, number_);
    std::int32_t& mode = pick(port_, profile_->modePots1, profile_->modePots2);
    // A port switched off on the General page stays off.
    if (mode != 0) mode = ModeOfCallType(callType_, mode_);
    pick(port_, profile_->distinctRingPots1, profile_->distinctRingPots2) = distinctRing_;
}

void CPagePhoneLine::buildCommon(QFormLayout* form) {
    auto* number = addCombo(form, IDC_NUMBER_ASSIGNMENT, QStringLiteral("&Nummer des Ports:"),
                            numberChoices(false));
    number->setEnabled(number->count() > 1);
    addCombo(form, IDC_CALL_TYPE, QStringLiteral("&Anruftyp:"),
             {QStringLiteral("Sprache und Fax/Modem"), QStringLiteral("Nur Sprache"),
              QStringLiteral("Nur Fax/Modem (analog)")});
    addCheck(form, IDC_DISTINCT_RING, QStringLiteral("Bitte &eindeutiges Rufsignal einstellen"));
}

void CPagePhoneLine::doDataExchange(ui::DataExchange& dx) {
    if (hasNumbers()) dx.index(IDC_NUMBER_ASSIGNMENT, number_);
    dx.index(IDC_CALL_TYPE, callType_);
    dx.check(IDC_DISTINCT_RING, distinctRing_);
}

// CPagePhoneLineNA ------------------------------------------------------------

CPagePhoneLineNA::CPagePhoneLineNA(const QString& caption, int port)
    : CPagePhoneLine(IDD_PAGE_PHONE_LINE_NA, caption, port) {}

void CPagePhoneLineNA::load() {
    CPagePhoneLine::load();
    voiceMail_ = pick(port_, profile_->voiceMailPots1, profile_->voiceMailPots2);
    abbreviatedRing_ = pick(port_, profile_->abbreviatedRingPots1, profile_->abbreviatedRingPots2);
    // Both ports share the common features: the first page takes one copy.
    CommonFeatures& common = Sheet().common;
    if (!common.taken) {
        common = {true, profile_->callConferenceKey, profile_->callDropKey, profile_->vmwiKey,
                  profile_->vmwiRefreshTime};
    }
}

void CPagePhoneLineNA::store() {
    CPagePhoneLine::store();
    pick(port_, profile_->voiceMailPots1, profile_->voiceMailPots2) = voiceMail_;
    pick(port_, profile_->abbreviatedRingPots1, profile_->abbreviatedRingPots2) = abbreviatedRing_;
    const CommonFeatures& common = Sheet().common;
    profile_->callConferenceKey = common.callConferenceKey;
    profile_->callDropKey = common.callDropKey;
    profile_->vmwiKey = common.vmwiKey;
    profile_->vmwiRefreshTime = common.vmwiRefreshTime;
}

void CPagePhoneLineNA::createControls() {
    auto* form = new QFormLayout(this);
    buildCommon(form);
    addCheck(form, IDC_VOICE_MAIL, QStringLiteral("Bitte Sprach&kommunikation einstellen"));
    addCheck(form, IDC_ABBREVIATED_RING,
             QStringLiteral("Kurzes Rufsignal einstellen (&Mitteilung erhalten)"));
    auto* common =
        new QPushButton(QStringLiteral("&Gemeinsame Eigenschaften konfigurieren..."), this);
    ui::setResourceId(common, IDC_COMMON_FEATURES);
    connect(common, &QPushButton::clicked, this, &CPagePhoneLineNA::editCommonFeatures);
    form->addRow(common);
}

void CPagePhoneLineNA::doDataExchange(ui::DataExchange& dx) {
    CPagePhoneLine::doDataExchange(dx);
    dx.check(IDC_VOICE_MAIL, voiceMail_);
    dx.check(IDC_ABBREVIATED_RING, abbreviatedRing_);
}

void CPagePhoneLineNA::editCommonFeatures() {
    CCommonFeaturesDlg dialog(Sheet().common, this);
    if (dialog.exec() == QDialog::Accepted && dialog.changed()) {
        setChanged(true);
        setModified(true);
    }
}

// CPagePhoneLineRW ------------------------------------------------------------

CPagePhoneLineRW::CPagePhoneLineRW(const QString& caption, int port)
    : CPagePhoneLine(IDD_PAGE_PHONE_LINE_RW, caption, port) {}

void CPagePhoneLineRW::load() {
    CPagePhoneLine::load();
    callWaiting_ = pick(port_, profile_->callWaitingPots1, profile_->callWaitingPots2);
    second_ = secondNumberOf(number_);
}

void CPagePhoneLineRW::store() {
    CPagePhoneLine::store();
    pick(port_, profile_->callWaitingPots1, profile_->callWaitingPots2) = callWaiting_;
    storeSecondNumber(number_, second_);
}

void CPagePhoneLineRW::createControls() {
    auto* form = new QFormLayout(this);
    buildCommon(form);
    addSecondNumber(form, QStringLiteral("&Zweite Nummer des Ports:"));
    addCheck(form, IDC_CALL_WAITING, QStringLiteral("Anklopfen &zulassen"));
}

void CPagePhoneLineRW::doDataExchange(ui::DataExchange& dx) {
    CPagePhoneLine::doDataExchange(dx);
    exchangeChecked(dx, IDC_SECOND_NUMBER, second_, profile::FieldRule::IsdnNumber,
                    profile::CheckIsdnNumber);
    dx.check(IDC_CALL_WAITING, callWaiting_);
}

void CPagePhoneLineRW::onControlChanged(QWidget* control) {
    CPagePhoneLine::onControlChanged(control);
    // The field shows the second number of the number the port answers.
    if (ui::resourceId(control) != IDC_NUMBER_ASSIGNMENT) return;
    number_ = qobject_cast<QComboBox*>(control)->currentIndex();
    showSecondNumber(number_, second_);
}

}  // namespace config::pages
