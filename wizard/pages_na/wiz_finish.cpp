#include "wizard/pages_na/wiz_finish.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/resource_ids.h"

namespace wizard::na {

namespace {

struct Row {
    int id;
    const char* caption;
    bool spid;
};
constexpr Row kRows[] = {
    {IDC_NA_FIN_REGION, "Land:", false},
    {IDC_NA_FIN_PROTOCOL, "Protokoll:", false},
    {IDC_NA_FIN_NUMBER1, "ISDN-Rufnummer 1:", false},
    {IDC_NA_FIN_SPID1, "SPID 1:", true},
    {IDC_NA_FIN_NUMBER2, "ISDN-Rufnummer 2:", false},
    {IDC_NA_FIN_SPID2, "SPID 2:", true},
};

}  // namespace

FinishPage::FinishPage(int dialogId, bool withSpids)
    : CWizPageNA(dialogId, QStringLiteral("Wir gratulieren!"), PageRole::Last),
      withSpids_(withSpids) {}

void FinishPage::buildBody(QVBoxLayout* body) {
    auto* form = new QFormLayout;
    for (const Row& row : kRows) {
        if (row.spid && !withSpids_) continue;
        auto* value = new QLabel(this);
        ui::setResourceId(value, row.id);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* caption = new QLabel(QString::fromUtf8(row.caption), this);
        caption->setBuddy(value);
        form->addRow(caption, value);
    }
    body->addLayout(form);
    body->addSpacing(12);
    addText(body, IDC_NA_FIN_CLOSING, QString());
}

FinishSummary FinishPage::summary() const {
    const WizardState& s = State();
    FinishInput in;
    in.regionName = s.regionName;
    in.connectionType = s.connection;
    in.number1 = s.number1;
    in.number2 = s.number2;
    in.spid1 = s.spid1;
    in.spid2 = s.spid2;
    in.twoNumbers = s.twoNumbers;
    in.knownKind = IsKnownKind(s.deviceKind);
    in.online = s.online;
    in.withSpids = withSpids_;
    return MakeFinishSummary(in);
}

bool FinishPage::onSetActive() {
    const FinishSummary sum = summary();
    const auto set = [this](int id, const std::string& text, bool shown) {
        auto* value = ui::findControl<QLabel>(this, id);
        if (!value) return;
        value->setText(QString::fromStdString(text));
        value->setVisible(shown);
        for (QLabel* label : findChildren<QLabel*>())
            if (label->buddy() == value) label->setVisible(shown);
    };
    set(IDC_NA_FIN_REGION, sum.region, true);
    set(IDC_NA_FIN_PROTOCOL, sum.protocol, true);
    set(IDC_NA_FIN_NUMBER1, sum.number1, true);
    set(IDC_NA_FIN_NUMBER2, sum.number2, sum.secondRow);
    set(IDC_NA_FIN_SPID1, sum.spid1, true);
    set(IDC_NA_FIN_SPID2, sum.spid2, sum.secondRow);
    if (auto* closing = ui::findControl<QLabel>(this, IDC_NA_FIN_CLOSING))
        closing->setText(QText(sum.closingText));
    return CWizPageNA::onSetActive();
}

CWizFinish::CWizFinish() : FinishPage(IDD_WIZ_FINISH, true) {}

bool CWizFinish::onWizardFinish() {
    WizardState& s = State();
    if (s.existingConfigInUse) {
        wizardSheet()->setEndCode(kEndKeptConfig);
        return true;
    }
    if (s.number1 == s.number2 && !s.spid1.empty() && s.spid2.empty()) s.spid2 = s.spid1;
    return true;
}

CWizFinishNoSPIDs::CWizFinishNoSPIDs() : FinishPage(IDD_WIZ_FINISH_NO_SPIDS, false) {}

}  // namespace wizard::na
