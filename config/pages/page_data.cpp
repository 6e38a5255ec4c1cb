#include "config/pages/page_data.h"

#include <QComboBox>
#include <QFormLayout>

#include "config/pages/port_settings.h"
#include "config/resource_ids.h"
#include "profile/profile.h"

namespace config::pages {

CPageData::CPageData(int dialogId, const char* caption, bool multilink)
    : CProfilePage(dialogId, QString::fromUtf8(caption)), multilink_(multilink) {}

void CPageData::load() {
    number_ =
        ReadAssignment(profile_->portSettings, kDataBits, profile_->number1, profile_->number2);
    dynamicBandwidth_ = profile_->dynamicBandwidthAllocation;
}

void CPageData::store() {
    WriteAssignment(profile_->portSettings, kDataBits, number_);
    if (multilink_) profile_->dynamicBandwidthAllocation = dynamicBandwidth_;
}

void CPageData::createControls() {
    auto* form = new QFormLayout(this);
    auto* number = addCombo(form, IDC_DATA_NUMBER, QStringLiteral("&Nummer für Datenanrufe:"),
                            numberChoices(true));
    number->setEnabled(number->count() > 1);
    if (multilink_)
        addCheck(form, IDC_DYNAMIC_BANDWIDTH,
                 QStringLiteral("&Dynamische Bandbreitenzuweisung benutzen"));
}

void CPageData::doDataExchange(ui::DataExchange& dx) {
    if (hasNumbers()) dx.index(IDC_DATA_NUMBER, number_);
    if (multilink_) dx.check(IDC_DYNAMIC_BANDWIDTH, dynamicBandwidth_);
}

CPageMLPPPNA::CPageMLPPPNA() : CPageData(IDD_PAGE_MLPPP_NA, "Daten (MLPPP)", true) {}
CPageMLPPPRW::CPageMLPPPRW() : CPageData(IDD_PAGE_MLPPP_RW, "Daten (MLPPP)", true) {}
CPagePPPNA::CPagePPPNA() : CPageData(IDD_PAGE_PPP_NA, "Daten (PPP)", false) {}
CPagePPPRW::CPagePPPRW() : CPageData(IDD_PAGE_PPP_RW, "Daten (PPP)", false) {}
CPageV110NA::CPageV110NA() : CPageData(IDD_PAGE_V110_NA, "Daten (V110)", false) {}
CPageV110RW::CPageV110RW() : CPageData(IDD_PAGE_V110_RW, "Daten (V110)", false) {}
CPageV120NA::CPageV120NA() : CPageData(IDD_PAGE_V120_NA, "Daten (V120)", false) {}
CPageV120RW::CPageV120RW() : CPageData(IDD_PAGE_V120_RW, "Daten (V120)", false) {}

}  // namespace config::pages
