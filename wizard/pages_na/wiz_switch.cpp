#include "wizard/pages_na/wiz_switch.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/pages_na/wiz_numbers.h"
#include "wizard/resource_ids.h"

namespace wizard::na {

NetworkPage::NetworkPage(int dialogId, QString header)
    : CWizPageNA(dialogId, std::move(header), PageRole::Middle) {}

void NetworkPage::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT, explanation());
    for (auto [id, text] : {std::pair{IDC_NA_PUBLIC, "&Öffentliches ISDN-Netzwerk"},
                            std::pair{IDC_NA_PRIVATE, "&Firmeninternes ISDN-Netzwerk"}}) {
        auto* button = new QRadioButton(QString::fromUtf8(text), this);
        ui::setResourceId(button, id);
        body->addWidget(button);
    }
    body->addSpacing(8);
    AddNumberCount(this, body);
}

void NetworkPage::doDataExchange(ui::DataExchange& dx) {
    if (!dx.saving()) {
        network_ = State().publicNetwork ? 0 : 1;
        count_ = State().twoNumbers ? 1 : 0;
    }
    dx.radio({IDC_NA_PUBLIC, IDC_NA_PRIVATE}, network_);
    dx.index(IDC_NA_NUMBER_COUNT, count_);
}

int NetworkPage::onWizardNext() {
    if (!updateData(true)) return -1;
    WizardState& s = State();
    const bool wasPublic = s.publicNetwork;
    s.publicNetwork = network_ != 1;
    Na().status.areaCodeSpids = s.publicNetwork;
    if (!s.publicNetwork) Na().areaCode.clear();
    if (wasPublic != s.publicNetwork) networkChanged();
    s.twoNumbers = count_ == 1;
    TellOneNumber(this);
    if (s.publicNetwork) return goNext<CWizNumbersAndNPA>();
    return goNext<CWizOnlyNumbers>();
}

CWizOffSwitchType::CWizOffSwitchType()
    : NetworkPage(IDD_WIZ_OFF_SWITCH_TYPE,
                  QStringLiteral("Allgemeine ISDN-Information konfigurieren")) {}

CWizATTSwitch::CWizATTSwitch()
    : NetworkPage(IDD_WIZ_ATT_SWITCH, QStringLiteral("Allgemeine ISDN-Information")) {}

QString CWizATTSwitch::explanation() const {
    return QText(State().publicNetwork ? 1306 : 1307);
}

bool CWizATTSwitch::onSetActive() {
    // The detection may have run again since the page was last shown.
    if (auto* text = ui::findControl<QLabel>(this, IDC_WIZ_TEXT)) text->setText(explanation());
    return NetworkPage::onSetActive();
}

void CWizATTSwitch::networkChanged() {
    Na().search.spid1Found = false;
    Na().search.spid2Found = false;
}

}  // namespace wizard::na
