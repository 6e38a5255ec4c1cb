#include "wizard/pages_na/wiz_protocol.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "serial/com_speed.h"
#include "ui/resource_id.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/wiz_on_off_line.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_strings.h"

namespace wizard::na {

namespace {
constexpr _ConnectionType kChoices[] = {ConnectionMLPPP, ConnectionPPP, ConnectionV120};
constexpr std::uint32_t kMlpppSpeed = 115000;
constexpr std::uint32_t kMessageSlowPort = 1389;
}  // namespace

CWizProtocol::CWizProtocol()
    : CWizardPage(IDD_WIZ_PROTOCOL, QStringLiteral("Protokollauswahl"), PageRole::Middle) {
    const _ConnectionType now = State().connection;
    choice_ = now == ConnectionV120 ? 2 : now == ConnectionMLPPP ? 0 : 1;
}

void CWizProtocol::buildBody(QVBoxLayout* body) {
    for (auto [id, text] : {std::pair{IDC_WIZ_MLPPP, "&Multilink PPP"},
                            std::pair{IDC_WIZ_PPP, "&PPP "}, std::pair{IDC_WIZ_V120, "&V120"}}) {
        auto* button = new QRadioButton(QString::fromUtf8(text), this);
        ui::setResourceId(button, id);
        body->addWidget(button);
    }
}

void CWizProtocol::doDataExchange(ui::DataExchange& dx) {
    dx.radio({IDC_WIZ_MLPPP, IDC_WIZ_PPP, IDC_WIZ_V120}, choice_);
}

int CWizProtocol::onWizardNext() {
    if (!updateData(true)) return -1;
    WizardState& s = State();
    s.connection = kChoices[choice_ < 0 ? 0 : choice_];
    s.twoNumbers = s.connection == ConnectionMLPPP || IsKnownKind(s.deviceKind);
    if (s.connection == ConnectionMLPPP) {
        const std::uint32_t speed = serial::StoredComSpeed(s.portName);
        if (speed != 0 && speed < kMlpppSpeed)
            messageBox(kMessageSlowPort, ui::Icon::Information, ui::Buttons::Ok,
                       {static_cast<std::uint64_t>(speed / 1000)});
    }
    return goNext<CWizSelectionOnOffLine>();
}

}  // namespace wizard::na
