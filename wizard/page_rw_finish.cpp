#include "wizard/page_rw_finish.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/resource_ids.h"
#include "wizard/switch_types.h"

namespace wizard {

namespace {

struct PortLine {
    int id;
    const char* label;
};

// The port lines of each variant and the answer and number each shows.
struct PortRows {
    PortLine lines[2];
    int count;
};
PortRows portRows(FinishPorts ports) {
    switch (ports) {
        case FinishPorts::Two:
            return {{{IDC_RW_FIN_PORT1, "Telefonport 1:"}, {IDC_RW_FIN_PORT2, "Telefonport 2:"}},
                    2};
        case FinishPorts::PhoneAndModem:
            return {{{IDC_RW_FIN_PORT1, "Telefonport:"}, {IDC_RW_FIN_PORT2, "Modem:"}}, 2};
        case FinishPorts::ModemOnly:
            break;
    }
    return {{{IDC_RW_FIN_PORT2, "Modem:"}, {0, ""}}, 1};
}

QLabel* valueLabel(QWidget* parent, int id) {
    auto* value = new QLabel(parent);
    ui::setResourceId(value, id);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return value;
}

}  // namespace

QString PortSummary(bool notUsed, const std::string& number) {
    if (notUsed) return QStringLiteral("Deaktiviert");
    if (number.empty()) return QStringLiteral("Alle Anrufe beantworten");
    return QString::fromStdString(number);
}

FinishPageRW::FinishPageRW(int dialogId, bool namesSwitch, FinishPorts ports)
    : CWizardPage(dialogId, QStringLiteral("Wir gratulieren!"), PageRole::Last),
      namesSwitch_(namesSwitch),
      ports_(ports) {}

void FinishPageRW::buildBody(QVBoxLayout* body) {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Wo befinden Sie sich ?"), valueLabel(this, IDC_RW_FIN_REGION));
    if (namesSwitch_)
        form->addRow(QStringLiteral("Verbindungstyp:"), valueLabel(this, IDC_RW_FIN_SWITCH));
    // A device without telephone ports has no port lines; the modem of a
    // Pro box without them is still listed.
    const bool showPorts = State().hasPhonePorts || ports_ == FinishPorts::ModemOnly;
    const PortRows rows = portRows(ports_);
    for (int i = 0; showPorts && i < rows.count; ++i)
        form->addRow(QString::fromUtf8(rows.lines[i].label), valueLabel(this, rows.lines[i].id));
    form->addRow(QStringLiteral("Protokoll:"), valueLabel(this, IDC_RW_FIN_PROTOCOL));
    body->addLayout(form);
    body->addSpacing(12);
    addText(body, IDC_WIZ_TEXT,
            QStringLiteral("Der Konfig.Assistent ist fertig mit dem Konfigurieren Ihres Tamo "
                           "Terminal Adapter.\n\nSie können jetzt Ihre ISDN-Verbindungen "
                           "herstellen."));
}

void FinishPageRW::setValue(int id, const QString& text) {
    if (auto* label = ui::findControl<QLabel>(this, id)) label->setText(text);
}

// Shown afresh on every visit: the pages before may have changed anything.
bool FinishPageRW::onSetActive() {
    const WizardState& s = State();
    setValue(IDC_RW_FIN_REGION, QString::fromStdString(s.regionName));
    setValue(IDC_RW_FIN_SWITCH, QString::fromUtf8(SwitchTypeNameRW(s.switchType)));
    setValue(IDC_RW_FIN_PORT1, PortSummary(s.port1NotUsed, s.number1));
    setValue(IDC_RW_FIN_PORT2, PortSummary(s.port2NotUsed, s.number2));
    setValue(IDC_RW_FIN_PROTOCOL, QString::fromStdString(na::ProtocolName(s.connection)));
    return CWizardPage::onSetActive();
}

CWizFinishROW::CWizFinishROW() : FinishPageRW(IDD_WIZ_FINISH_ROW, false, FinishPorts::Two) {}
CWizFinishROWRegion::CWizFinishROWRegion()
    : FinishPageRW(IDD_WIZ_FINISH_ROW_REGION, true, FinishPorts::Two) {}
CWizFinishROWPro::CWizFinishROWPro()
    : FinishPageRW(IDD_WIZ_FINISH_ROW_PRO, false, FinishPorts::PhoneAndModem) {}
CWizFinRWRegPro::CWizFinRWRegPro()
    : FinishPageRW(IDD_WIZ_FIN_RW_REG_PRO, true, FinishPorts::PhoneAndModem) {}
CWizFinRWProNoPOTS::CWizFinRWProNoPOTS()
    : FinishPageRW(IDD_WIZ_FIN_RW_PRO_NOPOTS, false, FinishPorts::ModemOnly) {}
CWizFinRwRegProNoPOTS::CWizFinRwRegProNoPOTS()
    : FinishPageRW(IDD_WIZ_FIN_RW_REG_PRO_NOPOTS, true, FinishPorts::ModemOnly) {}

}  // namespace wizard
