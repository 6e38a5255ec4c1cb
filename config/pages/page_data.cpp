#include "config/pages/page_data.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include "config/pages/port_settings.h"
#include "config/pages/sheet_state.h"
#include "config/resource_ids.h"
#include "profile/profile.h"
#include "ui/resource_id.h"

namespace config::pages {

CPageData::CPageData(int dialogId, const char* caption, bool multilink, bool ownNumber)
    : CProfilePage(dialogId, QString::fromUtf8(caption)),
      multilink_(multilink),
      ownNumber_(ownNumber) {}

void CPageData::load() {
    number_ =
        ReadAssignment(profile_->portSettings, kDataBits, profile_->number1, profile_->number2);
    dynamicBandwidth_ = profile_->dynamicBandwidthAllocation;
    own_ = profile_->n5Text;
    useOwn_ = !own_.empty();
}

void CPageData::store() {
    WriteAssignment(profile_->portSettings, kDataBits, number_);
    if (multilink_) profile_->dynamicBandwidthAllocation = dynamicBandwidth_;
    if (ownNumber_) profile_->n5Text = useOwn_ ? own_ : std::string();
}

bool CPageData::packetMode() const {
    return multilink_ && Sheet().x25On;
}

void CPageData::createControls() {
    auto* form = new QFormLayout(this);
    addCombo(form, IDC_DATA_NUMBER, QStringLiteral("&Nummer für Datenanrufe:"),
             numberChoices(true));
    if (ownNumber_) {
        addCheck(form, IDC_OWN_NUMBER,
                 QStringLiteral("&Eigene Nummer statt einer konfigurierten benutzen"));
        addEdit(form, IDC_OWN_NUMBER_TEXT, QStringLiteral("Eigene Nu&mmer:"), 20);
    }
    if (multilink_)
        addCheck(form, IDC_DYNAMIC_BANDWIDTH,
                 QStringLiteral("&Dynamische Bandbreitenzuweisung benutzen"));
}

bool CPageData::onSetActive() {
    // The data protocol may have changed on the General page since.
    if (ownNumber_)
        setLabelOf(IDC_OWN_NUMBER_TEXT,
                   packetMode() ? Tr(1537) : QStringLiteral("Eigene Nu&mmer:"));
    return CProfilePage::onSetActive();
}

void CPageData::enableNumbers() {
    auto* combo = ui::findControl<QComboBox>(this, IDC_DATA_NUMBER);
    if (combo) combo->setEnabled(!useOwn_ && combo->count() > 1);
    if (auto* edit = ui::findControl<QLineEdit>(this, IDC_OWN_NUMBER_TEXT))
        edit->setEnabled(useOwn_ != 0);
}

void CPageData::doDataExchange(ui::DataExchange& dx) {
    if (hasNumbers()) dx.index(IDC_DATA_NUMBER, number_);
    if (ownNumber_) {
        dx.check(IDC_OWN_NUMBER, useOwn_);
        using profile::FieldRule;
        if (packetMode())
            exchangeChecked(dx, IDC_OWN_NUMBER_TEXT, own_, FieldRule::PacketNumber,
                            profile::CheckX25Address);
        else
            exchangeChecked(dx, IDC_OWN_NUMBER_TEXT, own_, FieldRule::IsdnNumber,
                            profile::CheckIsdnNumber);
        if (dx.saving() && !dx.failed() && changed() && useOwn_ && own_.empty())
            failAt(dx, IDC_OWN_NUMBER_TEXT, 57394);
    }
    if (multilink_) dx.check(IDC_DYNAMIC_BANDWIDTH, dynamicBandwidth_);
    if (!dx.saving()) enableNumbers();
}

void CPageData::onControlChanged(QWidget* control) {
    CProfilePage::onControlChanged(control);
    if (ui::resourceId(control) != IDC_OWN_NUMBER) return;
    useOwn_ = qobject_cast<QCheckBox*>(control)->isChecked();
    enableNumbers();
}

CPageMLPPPNA::CPageMLPPPNA() : CPageData(IDD_PAGE_MLPPP_NA, "Daten (MLPPP)", true, false) {}
CPageMLPPPRW::CPageMLPPPRW() : CPageData(IDD_PAGE_MLPPP_RW, "Daten (MLPPP)", true, true) {}
CPagePPPNA::CPagePPPNA() : CPageData(IDD_PAGE_PPP_NA, "Daten (PPP)", false, false) {}
CPagePPPRW::CPagePPPRW() : CPageData(IDD_PAGE_PPP_RW, "Daten (PPP)", false, true) {}
CPageV110NA::CPageV110NA() : CPageData(IDD_PAGE_V110_NA, "Daten (V110)", false, false) {}
CPageV110RW::CPageV110RW() : CPageData(IDD_PAGE_V110_RW, "Daten (V110)", false, true) {}
CPageV120NA::CPageV120NA() : CPageData(IDD_PAGE_V120_NA, "Daten (V120)", false, false) {}
CPageV120RW::CPageV120RW() : CPageData(IDD_PAGE_V120_RW, "Daten (V120)", false, true) {}

}  // namespace config::pages
