#include "wizard/pages_na/wiz_national_isdn.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/pages_na/wiz_auto_spid.h"
#include "wizard/pages_na/wiz_numbers.h"
#include "wizard/resource_ids.h"

namespace wizard::na {

std::uint32_t NationalIsdnText(bool spidList, std::int32_t switchType) {
    if (spidList) return 1298;
    if (switchType == kSwitchNationalIsdn) return 1169;
    if (switchType == kSwitchAtt5ess) return 1170;
    return 1233;
}

CWizNationalISDN::CWizNationalISDN()
    : CWizPageNA(IDD_WIZ_NATIONAL_ISDN, QStringLiteral("Allgemeine ISDN-Information"),
                 PageRole::Middle) {}

void CWizNationalISDN::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT, QString());
    body->addSpacing(8);
    AddNumberCount(this, body);
}

void CWizNationalISDN::doDataExchange(ui::DataExchange& dx) {
    if (!dx.saving()) count_ = State().twoNumbers ? 1 : 0;
    dx.index(IDC_NA_NUMBER_COUNT, count_);
}

bool CWizNationalISDN::onSetActive() {
    const NaState& na = Na();
    if (auto* text = ui::findControl<QLabel>(this, IDC_WIZ_TEXT))
        text->setText(QText(NationalIsdnText(na.spidList.available, State().switchType)));
    const bool oneListed = na.spidList.available && na.spidList.numbers.size() < 2;
    if (auto* count = ui::findControl<QComboBox>(this, IDC_NA_NUMBER_COUNT)) {
        count->setVisible(!oneListed);
        for (QLabel* label : findChildren<QLabel*>())
            if (label->buddy() == count) label->setVisible(!oneListed);
    }
    return CWizPageNA::onSetActive();
}

int CWizNationalISDN::onWizardNext() {
    if (!updateData(true)) return -1;
    State().twoNumbers = count_ == 1;
    TellOneNumber(this);
    if (Na().spidList.available) return goNext<CWizAutoSPID>(1, 1);
    return goNext<CWizOnlyNumbers>();
}

}  // namespace wizard::na
