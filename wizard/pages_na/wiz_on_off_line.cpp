#include "wizard/pages_na/wiz_on_off_line.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/wiz_connect.h"
#include "wizard/pages_na/wiz_switch.h"
#include "wizard/resource_ids.h"

namespace wizard::na {

CWizSelectionOnOffLine::CWizSelectionOnOffLine()
    : CWizPageNA(IDD_WIZ_ON_OFF_LINE, QStringLiteral("Bitte Konfigurationsmodus auswählen"),
                 PageRole::Middle) {
    ResetNa();
}

void CWizSelectionOnOffLine::buildBody(QVBoxLayout* body) {
    auto* online = new QRadioButton(QStringLiteral("&Online (Empfohlen)"), this);
    auto* offline = new QRadioButton(QStringLiteral("O&ffline"), this);
    ui::setResourceId(online, IDC_NA_ONLINE);
    ui::setResourceId(offline, IDC_NA_OFFLINE);
    (State().online ? online : offline)->setChecked(true);
    body->addWidget(online);
    body->addWidget(offline);
    // The picture and the title follow the choice at once.
    connect(online, &QRadioButton::toggled, this, [this](bool on) {
        State().online = on;
        CWizPageNA::onSetActive();
    });
}

int CWizSelectionOnOffLine::onWizardNext() {
    if (State().online) {
        Na().startDetection = true;
        return goNext<CWizConnect>();
    }
    State().switchType = kSwitchUnknown;
    return goNext<CWizOffSwitchType>();
}

}  // namespace wizard::na
