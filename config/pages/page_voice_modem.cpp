#include "config/pages/page_voice_modem.h"

#include <QComboBox>
#include <QFormLayout>

#include "config/pages/port_settings.h"
#include "config/resource_ids.h"
#include "profile/profile.h"
#include "ui/resource_id.h"

namespace config::pages {

namespace {
QString captionFor(bool voice, const QString& caption) {
    if (!caption.isEmpty()) return caption;
    return voice ? QStringLiteral("Sprache zu PC") : Tr(57361);
}
}  // namespace

CPageVoiceModem::CPageVoiceModem(int dialogId, bool voice, const QString& caption)
    : CProfilePage(dialogId, captionFor(voice, caption)), voice_(voice) {}

void CPageVoiceModem::load() {
    number_ = ReadAssignment(profile_->portSettings, kVoiceModemBits, profile_->number1,
                             profile_->number2);
    second_ = secondNumberOf(number_);
}

void CPageVoiceModem::store() {
    WriteAssignment(profile_->portSettings, kVoiceModemBits, number_);
    if (withSecondNumber_) storeSecondNumber(number_, second_);
}

void CPageVoiceModem::createControls() {
    auto* form = new QFormLayout(this);
    auto* number = addCombo(form, IDC_VOICE_NUMBER,
                            voice_ ? QStringLiteral("&Nummer für Sprachanrufe zum PC:")
                                   : QStringLiteral("&Nummer für das Modem:"),
                            numberChoices(true));
    number->setEnabled(number->count() > 1);
    if (withSecondNumber_) addSecondNumber(form, QStringLiteral("&Zweite Nummer des Modems:"));
}

void CPageVoiceModem::doDataExchange(ui::DataExchange& dx) {
    if (hasNumbers()) dx.index(IDC_VOICE_NUMBER, number_);
    if (withSecondNumber_)
        exchangeChecked(dx, IDC_SECOND_NUMBER, second_, profile::FieldRule::IsdnNumber,
                        profile::CheckIsdnNumber);
}

void CPageVoiceModem::onControlChanged(QWidget* control) {
    CProfilePage::onControlChanged(control);
    if (!withSecondNumber_ || ui::resourceId(control) != IDC_VOICE_NUMBER) return;
    number_ = qobject_cast<QComboBox*>(control)->currentIndex();
    showSecondNumber(number_, second_);
}

CPageVoiceModemNA::CPageVoiceModemNA(bool voice, const QString& caption)
    : CPageVoiceModem(IDD_PAGE_VOICE_MODEM_NA, voice, caption) {}
CPageVoiceModemRW::CPageVoiceModemRW(bool voice, const QString& caption)
    : CPageVoiceModem(IDD_PAGE_VOICE_MODEM_RW, voice, caption) {}
CPageVoiceModemProRW::CPageVoiceModemProRW() : CPageVoiceModem(IDD_PAGE_VOICE_MODEM_PRO_RW, false) {
    withSecondNumber_ = true;
}

}  // namespace config::pages
