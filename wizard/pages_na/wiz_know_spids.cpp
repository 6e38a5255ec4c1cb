#include "wizard/pages_na/wiz_know_spids.h"

#include <QEventLoop>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/framework_ids.h"
#include "ui/gui_thread.h"
#include "ui/resource_id.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/pages_na/wiz_finish.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_status.h"

namespace wizard::na {

namespace {

constexpr int kSpidFieldChars = 40;  // longer than allowed, so the check can say so
constexpr std::uint32_t kMessageNoNetwork = 1254;

QLineEdit* spidField(QWidget* page, int index) {
    return ui::findControl<QLineEdit>(page, index == 1 ? IDC_NA_SPID1 : IDC_NA_SPID2);
}

QLabel* labelOf(QWidget* page, QWidget* field) {
    for (QLabel* label : page->findChildren<QLabel*>())
        if (label->buddy() == field) return label;
    return nullptr;
}

}  // namespace

QString SpidFieldLabel(const std::string& areaCode, const std::string& number, int index) {
    std::string label = "SPID für ";
    if (number.empty())
        label += "Rufnummer " + std::to_string(index) + ":";
    else if (areaCode.empty())
        label += number + ":";
    else
        label += " (" + areaCode + ") " + number + ":";
    return QStringLiteral("&") + QString::fromStdString(label);
}

CWizKnowSPIDs::CWizKnowSPIDs()
    : CWizPageNA(IDD_WIZ_KNOW_SPIDS, QStringLiteral("Service Profile Identifier (SPID)"),
                 PageRole::Middle) {}

void CWizKnowSPIDs::buildBody(QVBoxLayout* body) {
    addText(body, IDC_WIZ_TEXT, QString());
    auto* form = new QFormLayout;
    for (auto [id, text] : {std::pair{IDC_NA_SPID1, "&SPID für Rufnummer1:"},
                            std::pair{IDC_NA_SPID2, "&SPID für Rufnummer 2:"}}) {
        auto* edit = new QLineEdit(this);
        ui::setResourceId(edit, id);
        edit->setMaxLength(kSpidFieldChars);
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setBuddy(edit);
        form->addRow(label, edit);
    }
    body->addLayout(form);
    connect(spidField(this, 1), &QLineEdit::textChanged, this, [this] { showFields(); });
}

void CWizKnowSPIDs::doDataExchange(ui::DataExchange& dx) {
    if (!dx.saving()) {
        spid1_ = State().spid1;
        spid2_ = State().spid2;
    }
    dx.text(IDC_NA_SPID1, spid1_);
    dx.text(IDC_NA_SPID2, spid2_);
}

void CWizKnowSPIDs::showFields() {
    QLineEdit* first = spidField(this, 1);
    QLineEdit* second = spidField(this, 2);
    if (!first || !second) return;
    const bool two = State().twoNumbers;
    second->setVisible(two);
    if (QLabel* label = labelOf(this, second)) label->setVisible(two);
    second->setEnabled(!first->text().isEmpty());
}

bool CWizKnowSPIDs::onSetActive() {
    const WizardState& s = State();
    const NaState& na = Na();
    if (auto* text = ui::findControl<QLabel>(this, IDC_WIZ_TEXT))
        text->setText(QText(na.searchStoppedByUser ? 1285 : 1287));
    for (int index : {1, 2}) {
        QLineEdit* field = spidField(this, index);
        if (!field) continue;
        if (QLabel* label = labelOf(this, field))
            label->setText(SpidFieldLabel(na.areaCode, index == 1 ? s.number1 : s.number2, index));
        // After a stopped search: what it found, and empty fields for the rest.
        if (na.searchStoppedByUser) {
            const bool found = index == 1 ? na.search.spid1Found : na.search.spid2Found;
            const std::string& spid = index == 1 ? na.search.spid1 : na.search.spid2;
            field->setText(found ? QString::fromStdString(spid) : QString());
        }
    }
    showFields();
    if (s.online) {
        QLineEdit* focus = !na.search.spid1Found ? spidField(this, 1) : spidField(this, 2);
        if (focus && focus->isVisible()) focus->setFocus(Qt::OtherFocusReason);
    }
    return CWizPageNA::onSetActive();
}

int CWizKnowSPIDs::onWizardNext() {
    if (!updateData(true)) return -1;
    WizardState& s = State();
    if (!WalkChecks(this, SpidChecks({spid1_, spid2_, s.twoNumbers}))) return -1;
    s.spid1 = spid1_;
    s.spid2 = s.twoNumbers ? spid2_ : spid1_;
    if (s.online && !verifyOnline()) return -1;
    if (s.noSpid1 == 1) return goNext<CWizFinishNoSPIDs>();
    return goNext<CWizFinish>();
}

// Tests the SPIDs on a worker while the page keeps handling events; a SPID
// the network refused is stored empty.
bool CWizKnowSPIDs::verifyOnline() {
    WizardState& s = State();
    NaState& na = Na();
    const SpidVerifySettings settings{s.portName,   s.deviceKind, s.profileIndex,
                                      s.twoNumbers, s.spid1,      s.spid2};
    SpidSearchEvents events;
    events.inform = [this](std::uint32_t message) { Message(this, message); };
    events.ask = [this](std::uint32_t message) { return Ask(this, message); };
    SpidVerifyOutcome outcome;
    const unsigned buttons = wizardSheet()->wizardButtons();
    wizardSheet()->setWizardButtons(0);
    verifying_ = true;
    {
        QEventLoop loop;
        ui::WorkerThread worker;
        worker.start([&] {
            outcome = VerifyTypedSpids(settings, na.search, events);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
    }
    verifying_ = false;
    wizardSheet()->setWizardButtons(buttons);
    const std::int32_t rc = outcome.result;
    if (rc == kWizCorrectSpid) {
        if (QLineEdit* field = spidField(this, outcome.channel)) {
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
        }
        return false;
    }
    if (rc == kWizOpenFailed) Message(this, kMessageNoNetwork);
    if (rc != 0) return false;
    if (!na.search.spid1Found) s.spid1.clear();
    if (!s.twoNumbers)
        s.spid2 = s.spid1;
    else if (!na.search.spid2Found)
        s.spid2.clear();
    return true;
}

bool CWizKnowSPIDs::onQueryCancel() {
    // The network is being asked; the page ends the question first.
    return !verifying_ && CWizPageNA::onQueryCancel();
}

}  // namespace wizard::na
