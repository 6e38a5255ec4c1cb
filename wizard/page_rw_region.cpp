#include "wizard/page_rw_region.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/page_rw_features.h"
#include "wizard/page_rw_protocol.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/resource_ids.h"

namespace wizard {

CWizRegionROW::CWizRegionROW()
    : CWizardPage(IDD_WIZ_REGION_ROW, QStringLiteral("Bitte Land auswählen"), PageRole::Middle) {}

void CWizRegionROW::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT,
            QStringLiteral("Wählen Sie das Land, in dem Ihr Tamo Terminal Adapter an das "
                           "ISDN-Netz angeschlossen ist."));
    addCombo(body, IDC_WIZ_REGION, QStringLiteral("&Land:"));
}

QComboBox* CWizRegionROW::regions() const {
    return ui::findControl<QComboBox>(this, IDC_WIZ_REGION);
}

bool CWizRegionROW::onInitDialog() {
    QComboBox* combo = regions();
    const WizardState& s = State();
    for (const na::RegionItem& item : na::ParseRegionItems(s.regionList, 'A')) {
        const std::string name = item.code == 1 ? "<Andere>" : item.name;
        combo->addItem(QString::fromStdString(name), item.code);
    }
    combo->setCurrentIndex(std::max(0, combo->findData(s.regionCode)));
    return CWizardPage::onInitDialog();
}

int CWizRegionROW::onWizardNext() {
    WizardState& s = State();
    // Without a list from the adapter the country stays what it was.
    if (QComboBox* combo = regions(); combo->currentIndex() >= 0) {
        s.regionCode = combo->currentData().toInt();
        s.regionName = combo->currentText().toStdString();
    }
    if (s.called == WizCalledKnownConnection) return goNext<CWizFeatures>();
    return goNext<CWizProtocolROW>();
}

}  // namespace wizard
