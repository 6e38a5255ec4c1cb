#include "wizard/page_rw_protocol.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "serial/com_speed.h"
#include "ui/resource_id.h"
#include "wizard/data_files.h"
#include "wizard/page_rw_route.h"
#include "wizard/page_rw_switch.h"
#include "wizard/region_data.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_strings.h"

namespace wizard {

namespace {

constexpr std::uint32_t kFastPortSpeed = 115000;
constexpr std::uint32_t IDS_SLOW_PORT = 1389;

struct ProtocolChoice {
    int id;
    _ConnectionType type;
    const char* text;
};
constexpr ProtocolChoice kChoices[] = {{IDC_WIZ_V110, ConnectionV110, "V&110"},
                                       {IDC_WIZ_V120, ConnectionV120, "&V120"},
                                       {IDC_WIZ_PPP, ConnectionPPP, "&PPP "},
                                       {IDC_WIZ_MLPPP, ConnectionMLPPP, "&Multilink PPP"}};

}  // namespace

void ShowMultilinkSpeedNotice(CWizardPage& page) {
    const std::uint32_t speed = serial::StoredComSpeed(State().portName);
    if (speed == 0 || speed >= kFastPortSpeed) return;
    page.messageBox(IDS_SLOW_PORT, ui::Icon::Information, ui::Buttons::Ok,
                    {std::int64_t(speed / 1000)});
}

CWizProtocolROW::CWizProtocolROW()
    : CWizardPage(IDD_WIZ_PROTOCOL_ROW, QStringLiteral("Protokollauswahl"), PageRole::Middle) {}

void CWizProtocolROW::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT,
            QStringLiteral("Wählen Sie das Protokoll, mit dem Ihre Gegenstellen (zum Beispiel "
                           "Ihr Internet-Anbieter) die Verbindung annehmen."));
    const bool v110 = State().v110Available != 0;
    for (const ProtocolChoice& c : kChoices) {
        auto* radio = new QRadioButton(QString::fromUtf8(c.text), this);
        ui::setResourceId(radio, c.id);
        radio->setEnabled(c.type != ConnectionV110 || v110);
        connect(radio, &QRadioButton::toggled, this, [this, type = c.type](bool on) {
            if (on && !loading()) choose(type);
        });
        body->addWidget(radio);
        if (c.type == ConnectionV110) {
            QLabel* note =
                addText(body, IDC_WIZ_V110_TEXT,
                        QStringLiteral("V.110 verbindet mit Mobilfunknetzen (GSM) und "
                                       "Gegenstellen, die nur dieses Protokoll kennen."));
            note->setIndent(24);
            note->setEnabled(v110);
        }
    }
}

bool CWizProtocolROW::onInitDialog() {
    const _ConnectionType current = State().connection;
    int id = IDC_WIZ_PPP;
    for (const ProtocolChoice& c : kChoices)
        if (c.type == current) id = c.id;
    // V.110 cannot be chosen where the device lacks it, not even from before.
    if (id == IDC_WIZ_V110 && !State().v110Available) id = IDC_WIZ_PPP;
    if (auto* radio = ui::findControl<QRadioButton>(this, id)) radio->setChecked(true);
    return CWizardPage::onInitDialog();
}

void CWizProtocolROW::choose(_ConnectionType type) {
    WizardState& s = State();
    s.connection = type;
    s.twoNumbers = type == ConnectionMLPPP || IsKnownKind(s.deviceKind);
}

int CWizProtocolROW::onWizardNext() {
    WizardState& s = State();
    for (const ProtocolChoice& c : kChoices)
        if (auto* radio = ui::findControl<QRadioButton>(this, c.id); radio && radio->isChecked())
            choose(c.type);
    if (s.connection == ConnectionMLPPP) ShowMultilinkSpeedNotice(*this);
    const std::vector<std::int32_t> types =
        SwitchTypesOfRegion(DataFilePath(kRegionFile), s.regionCode);
    if (types.size() >= 2) return goNext<CWizSwitchROW>();
    // A region without a list keeps the switch type it has (EuroISDN unless
    // the caller or the existing configuration chose another).
    if (!types.empty()) s.switchType = types.front();
    return GoToDeviceRoute(*this);
}

}  // namespace wizard
