#include "wizard/pages_na/wiz_spid_mode.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/pages_na/wiz_finish.h"
#include "wizard/pages_na/wiz_know_spids.h"
#include "wizard/resource_ids.h"

namespace wizard::na {

namespace {
enum Choice { kAtHand = 0, kNotKnown = 1, kNoneNeeded = 2 };

std::uint32_t explanation() {
    const WizardState& s = State();
    if (!s.online) return 1151;
    const bool oneFilled = s.spid1.empty() != s.spid2.empty();
    return s.twoNumbers && oneFilled ? 1240 : 1150;
}
}  // namespace

CWizSPIDMode::CWizSPIDMode()
    : CWizPageNA(IDD_WIZ_SPID_MODE, QStringLiteral("Service Profile Identifier (SPID)"),
                 PageRole::Middle) {}

void CWizSPIDMode::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT, QString());
    body->addSpacing(8);
    for (auto [id, text] :
         {std::pair{IDC_NA_SPID_AT_HAND,
                    "Ich &habe meine SPID griffbereit und möchte sie eintragen."},
          std::pair{IDC_NA_SPID_UNKNOWN,
                    "Ich habe meine SPID &nicht und weiß nicht, ob eine erforderlich ist."},
          std::pair{IDC_NA_SPID_NONE,
                    "Ich &bin mir sicher, daß meine ISDN-Leitung keine SPID erfordert."}}) {
        auto* button = new QRadioButton(QString::fromUtf8(text), this);
        ui::setResourceId(button, id);
        body->addWidget(button);
    }
}

void CWizSPIDMode::doDataExchange(ui::DataExchange& dx) {
    dx.radio({IDC_NA_SPID_AT_HAND, IDC_NA_SPID_UNKNOWN, IDC_NA_SPID_NONE}, choice_);
}

bool CWizSPIDMode::onSetActive() {
    if (auto* text = ui::findControl<QLabel>(this, IDC_WIZ_TEXT))
        text->setText(QText(explanation()));
    return CWizPageNA::onSetActive();
}

int CWizSPIDMode::onWizardNext() {
    if (!updateData(true)) return -1;
    WizardState& s = State();
    NaState& na = Na();
    s.noSpid1 = s.noSpid2 = choice_ == kNoneNeeded ? 1 : 0;
    if (choice_ == kAtHand) return goNext<CWizKnowSPIDs>();
    s.spid1.clear();
    s.spid2.clear();
    na.search.spid1Found = na.search.spid2Found = false;
    if (choice_ == kNoneNeeded) return goNext<CWizFinishNoSPIDs>();
    Message(this, s.online ? 1176 : 1153, ui::Icon::Warning);
    return goNext<CWizFinish>();
}

}  // namespace wizard::na
