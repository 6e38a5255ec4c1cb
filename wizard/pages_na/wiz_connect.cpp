#include "wizard/pages_na/wiz_connect.h"

#include <QTimer>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "ui/animation_control.h"
#include "ui/framework_ids.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/wiz_national_isdn.h"
#include "wizard/pages_na/wiz_switch.h"
#include "wizard/resource_ids.h"

namespace wizard::na {

namespace {
constexpr std::uint32_t kStartDelayMs = 1000;
constexpr std::uint32_t kMoveOnDelayMs = 1000;
}  // namespace

CWizConnect::CWizConnect()
    : LinePage(IDD_WIZ_CONNECT, QStringLiteral("Versuche Verbindung herzustellen")) {
    State().switchType = kSwitchUnknown;
    State().noSpid1 = State().noSpid2 = 0;
    Na().spidList.available = false;
}

void CWizConnect::buildBody(QVBoxLayout* body) {
    addProgress(body);
}

bool CWizConnect::onSetActive() {
    LinePage::onSetActive();
    // Reached back from a later page, the page shows what it found then.
    if (!Na().startDetection) return true;
    Na().startDetection = false;
    setStatus(QString::fromUtf8(kTextDetectionSoon));
    const WizardState& s = State();
    LineSequenceSettings settings;
    settings.portName = s.portName;
    settings.deviceKind = s.deviceKind;
    settings.connectionType = s.connection;
    settings.profileIndex = s.profileIndex;
    run(
        kStartDelayMs,
        [this, settings, status = statusSink()](const StopRequested& stop) {
            outcome_ = RunLineStatusSequence(settings, status, stop);
            return outcome_.result == 0;
        },
        [this](bool success) { detectionEnded(success); });
    return true;
}

void CWizConnect::detectionEnded(bool success) {
    if (animation_ && !success) animation_->hide();
    WizardState& s = State();
    NaState& na = Na();
    na.status = outcome_.status;
    na.spidList = outcome_.spidList;
    if (outcome_.cleared) na.search.deviceCleared = false;
    s.switchType = outcome_.status.switchType;
    s.publicNetwork = outcome_.status.publicNetwork;
    s.noSpid1 = outcome_.status.noSpid1 || outcome_.spidList.noSpid1;
    s.noSpid2 = outcome_.status.noSpid2 || outcome_.spidList.noSpid2;
    if (outcome_.spidList.available || outcome_.spidList.noSpid1)
        s.twoNumbers = outcome_.spidList.twoNumbers;
    if (outcome_.message != 0) Message(this, outcome_.message);
    if (!success) {
        wizardSheet()->setWizardButtons(outcome_.nextEnabled ? ui::WIZB_BACK | ui::WIZB_NEXT
                                                             : ui::WIZB_BACK);
        return;
    }
    QTimer::singleShot(platform::scaled(kMoveOnDelayMs), this, [this] {
        if (!wizardSheet() || wizardSheet()->activePage() != this) return;
        wizardSheet()->setWizardButtons(ui::WIZB_BACK | ui::WIZB_NEXT);
        wizardSheet()->pressButton(ui::SheetButton::Next);
    });
}

int CWizConnect::onWizardNext() {
    if (!Na().spidList.available && State().noSpid1 == 0) return goNext<CWizATTSwitch>();
    return goNext<CWizNationalISDN>();
}

}  // namespace wizard::na
