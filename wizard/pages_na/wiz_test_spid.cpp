#include "wizard/pages_na/wiz_test_spid.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/animation_control.h"
#include "ui/framework_ids.h"
#include "ui/resource_id.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/pages_na/wiz_finish.h"
#include "wizard/pages_na/wiz_know_spids.h"
#include "wizard/pages_na/wiz_spid_mode.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_status.h"

namespace wizard::na {

namespace {
constexpr std::uint32_t kStartDelayMs = 1000;
constexpr std::uint32_t kTextLoadingFormats = 1225;
constexpr std::uint32_t kTextFormatsMissing = 1235;
constexpr std::uint32_t kTextConnecting = 1227;
constexpr std::uint32_t kTextTesting = 1236;
constexpr std::uint32_t kTextDone = 1237;
constexpr std::uint32_t kTextStopped = 1280;
constexpr std::uint32_t kTextUnreachable = 1288;
constexpr std::string_view kCandidatePrefix = "SPID: ";

void setLabel(QWidget* page, int id, const QString& text) {
    if (auto* label = ui::findControl<QLabel>(page, id)) label->setText(text);
}
}  // namespace

CWizTestSPID::CWizTestSPID()
    : LinePage(IDD_WIZ_TEST_SPID, QStringLiteral("Service Profile Identifier (SPID)")) {}

void CWizTestSPID::buildBody(QVBoxLayout* body) {
    addProgress(body);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("SPID:"), this), 0, 0);
    auto* tried = new QLabel(this);
    ui::setResourceId(tried, IDC_NA_SPID_TRIED);
    grid->addWidget(tried, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Resultat:"), this), 1, 0);
    auto* result = new QLabel(this);
    ui::setResourceId(result, IDC_NA_SPID_RESULT);
    grid->addWidget(result, 1, 1);
    auto* example = new QLabel(QStringLiteral("00 - 514 - 7455500 - 0101"), this);
    ui::setResourceId(example, IDC_NA_SPID_EXAMPLE);
    example->setEnabled(false);
    grid->addWidget(example, 2, 1);
    grid->setColumnStretch(1, 1);
    body->addLayout(grid);
    auto* button = new QPushButton(this);
    ui::setResourceId(button, IDC_NA_SEARCH_BUTTON);
    connect(button, &QPushButton::clicked, this, [this] { buttonPressed(); });
    body->addWidget(button, 0, Qt::AlignLeft);
    setButtonText();
}

void CWizTestSPID::setButtonText() {
    if (auto* button = ui::findControl<QPushButton>(this, IDC_NA_SEARCH_BUTTON))
        button->setText(running() ? QStringLiteral("Erkennung s&toppen.")
                                  : QStringLiteral("Erkennung &starten."));
}

void CWizTestSPID::showProgress(bool shown) {
    for (int id : {IDC_NA_SPID_TRIED, IDC_NA_SPID_RESULT})
        if (auto* label = ui::findControl<QLabel>(this, id)) label->setVisible(shown);
    if (animation_) animation_->setVisible(shown);
}

bool CWizTestSPID::onSetActive() {
    LinePage::onSetActive();
    if (Na().startSearch) {
        Na().startSearch = false;
        startSearch(kStartDelayMs);
    } else if (!done_) {
        wizardSheet()->setWizardButtons(ui::WIZB_BACK);
    }
    return true;
}

void CWizTestSPID::showWorkerText(const QString& text) {
    const std::string t = text.toStdString();
    if (t.starts_with(kCandidatePrefix)) {
        // Which number the candidate is for: its directory number is in it.
        const WizardState& s = State();
        const std::string& number =
            !s.number2.empty() && t.find(s.number2) != std::string::npos ? s.number2 : s.number1;
        setStatus(QText(kTextTesting) + QString::fromStdString(FormatDirectoryNumber(number)));
        setLabel(this, IDC_NA_SPID_TRIED, text.mid(int(kCandidatePrefix.size())));
        setLabel(this, IDC_NA_SPID_RESULT, QString());
    } else if (t == kTextSpidFound || t == kTextSpidNotFound) {
        setLabel(this, IDC_NA_SPID_RESULT, text);
    } else {
        setStatus(text);
    }
}

void CWizTestSPID::startSearch(std::uint32_t delayMs) {
    done_ = false;
    Na().searchStoppedByUser = false;
    showProgress(true);
    setLabel(this, IDC_NA_SPID_TRIED, QString());
    setLabel(this, IDC_NA_SPID_RESULT, QString());
    setStatus(QText(kTextLoadingFormats));
    const WizardState& s = State();
    SpidSearchSettings settings;
    settings.portName = s.portName;
    settings.deviceKind = s.deviceKind;
    settings.profileIndex = s.profileIndex;
    settings.areaCode = Na().areaCode;
    settings.number1 = s.number1;
    settings.number2 = s.number2;
    settings.twoNumbers = s.twoNumbers;
    SpidSearchEvents events;
    events.status = statusSink();
    events.inform = [this](std::uint32_t message) { Message(this, message); };
    events.ask = [this](std::uint32_t message) { return Ask(this, message); };
    run(
        delayMs,
        [this, settings, events](const StopRequested& stop) {
            Post(this, [this] { setStatus(QText(kTextConnecting)); });
            outcome_ = RunSpidSearch(settings, Na().search, events, stop);
            return outcome_.result == 0;
        },
        [this](bool) { searchEnded(); });
    setButtonText();
}

void CWizTestSPID::searchEnded() {
    setButtonText();
    showProgress(false);
    const NaState& na = Na();
    std::uint32_t text = kTextDone;
    if (outcome_.stopped || na.searchStoppedByUser)
        text = kTextStopped;
    else if (outcome_.lineUnreachable)
        text = kTextUnreachable;
    else if (outcome_.result == kAreaCodeListTooLong || outcome_.result == kPatternBadMode)
        text = kTextFormatsMissing;
    setStatus(QText(text));
    done_ = outcome_.nextEnabled || na.searchStoppedByUser;
    wizardSheet()->setWizardButtons(done_ ? ui::WIZB_BACK | ui::WIZB_NEXT : ui::WIZB_BACK);
}

void CWizTestSPID::buttonPressed() {
    if (!running()) return startSearch(0);
    if (!Ask(this, kMsgAskStopSearch)) return;
    Na().searchStoppedByUser = true;
    requestStop(QString::fromUtf8(kTextSpidSearchStopping));
}

int CWizTestSPID::onWizardNext() {
    WizardState& s = State();
    NaState& na = Na();
    s.spid1 = na.search.spid1Found ? na.search.spid1 : std::string();
    s.spid2 = na.search.spid2Found ? na.search.spid2 : std::string();
    if (!s.twoNumbers && !s.spid1.empty()) s.spid2 = s.spid1;
    if (na.searchStoppedByUser) return goNext<CWizKnowSPIDs>();
    const bool all = (s.number1.empty() || na.search.spid1Found) &&
                     (!s.twoNumbers || s.number2.empty() || na.search.spid2Found);
    if (!all) return goNext<CWizSPIDMode>();
    if (s.noSpid1 == 1) return goNext<CWizFinishNoSPIDs>();
    return goNext<CWizFinish>();
}

}  // namespace wizard::na
