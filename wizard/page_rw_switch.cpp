#include "wizard/page_rw_switch.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/data_files.h"
#include "wizard/page_rw_route.h"
#include "wizard/region_data.h"
#include "wizard/resource_ids.h"
#include "wizard/switch_types.h"

namespace wizard {

CWizSwitchROW::CWizSwitchROW()
    : CWizardPage(IDD_WIZ_SWITCH_ROW, QStringLiteral("Auswahl des Verbindungstyps"),
                  PageRole::Middle) {}

void CWizSwitchROW::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT,
            QStringLiteral("In Ihrem Land gibt es mehrere Arten von ISDN-Anschlüssen. Ihr "
                           "ISDN-Dienstanbieter nennt Ihnen den Ihren."));
    addCombo(body, IDC_RW_SWITCH_TYPE, QStringLiteral("Verbindungstyp auswählen:"));
}

QComboBox* CWizSwitchROW::types() const {
    return ui::findControl<QComboBox>(this, IDC_RW_SWITCH_TYPE);
}

// The list follows the region: after going back to another country it is
// filled anew, otherwise the user's choice stays.
bool CWizSwitchROW::onSetActive() {
    if (filledFor_ != State().regionCode) fill();
    return CWizardPage::onSetActive();
}

void CWizSwitchROW::fill() {
    WizardState& s = State();
    filledFor_ = s.regionCode;
    QComboBox* combo = types();
    combo->clear();
    for (std::int32_t code : SwitchTypesOfRegion(DataFilePath(kRegionFile), s.regionCode)) {
        const char* name = SwitchTypeNameRW(code);
        if (*name) combo->addItem(QString::fromUtf8(name), code);
    }
    const int onRamp = combo->findData(kSwitchOnRamp);
    if (onRamp >= 0 && s.called != WizCalledKnownConnection) {
        combo->setCurrentIndex(onRamp);
        s.switchType = kSwitchOnRamp;
    } else {
        combo->setCurrentIndex(std::max(0, combo->findData(s.switchType)));
    }
}

int CWizSwitchROW::onWizardNext() {
    if (QComboBox* combo = types(); combo->currentIndex() >= 0)
        State().switchType = combo->currentData().toInt();
    return GoToDeviceRoute(*this);
}

}  // namespace wizard
