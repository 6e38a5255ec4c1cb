#include "wizard/page_rw_features.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/page_rw_numbers.h"
#include "wizard/page_rw_route.h"
#include "wizard/resource_ids.h"

namespace wizard {

namespace {
constexpr int kAnswerIds[2][2] = {{IDC_RW_PORT1_YES, IDC_RW_PORT1_NO},
                                  {IDC_RW_PORT2_YES, IDC_RW_PORT2_NO}};
}  // namespace

PortQuestionsPage::PortQuestionsPage(int dialogId, QString header, Question first, Question second)
    : CWizardPage(dialogId, std::move(header), PageRole::Middle), questions_{first, second} {}

void PortQuestionsPage::buildBody(QVBoxLayout* body) {
    auto* grid = new QGridLayout;
    int row = 0;
    for (int i = 0; i < 2; ++i) {
        if (*questions_[i].text) {
            auto* text = new QLabel(QString::fromUtf8(questions_[i].text), this);
            text->setWordWrap(true);
            grid->addWidget(text, row++, 0, 1, 3);
        }
        auto* group = new QButtonGroup(this);
        grid->addWidget(new QLabel(QString::fromUtf8(questions_[i].label), this), row, 0);
        const char* texts[2] = {"&Ja:", "Nein:"};
        for (int a = 0; a < 2; ++a) {
            auto* radio = new QRadioButton(QString::fromUtf8(texts[a]), this);
            ui::setResourceId(radio, kAnswerIds[i][a]);
            group->addButton(radio);
            grid->addWidget(radio, row, 1 + a);
        }
        ++row;
        grid->setRowMinimumHeight(row++, 10);
    }
    grid->setColumnStretch(3, 1);
    body->addLayout(grid);
}

void PortQuestionsPage::doDataExchange(ui::DataExchange& dx) {
    dx.radio({IDC_RW_PORT1_YES, IDC_RW_PORT1_NO}, answers_[0]);
    dx.radio({IDC_RW_PORT2_YES, IDC_RW_PORT2_NO}, answers_[1]);
}

int PortQuestionsPage::onWizardNext() {
    if (!updateData(true)) return -1;
    WizardState& s = State();
    s.port1NotUsed = answers_[0] == 1;
    s.port2NotUsed = answers_[1] == 1;
    return next(!s.port1NotUsed || !s.port2NotUsed);
}

CWizFeatures::CWizFeatures()
    : PortQuestionsPage(IDD_WIZ_FEATURES, QStringLiteral("Konfiguration des Telefonport"),
                        {"Wird ein Telefon oder Analoggerät an einem Ihrer Ports angeschlossen?",
                         "Telefonport 1:"},
                        {"", "Telefonport 2:"}) {}

int CWizFeatures::next(bool anyUsed) {
    return anyUsed ? goNext<CPortNumbersRW>() : GoToFinish(*this);
}

CWizFeaturesPro::CWizFeaturesPro()
    : PortQuestionsPage(
          IDD_WIZ_FEATURES_PRO, QStringLiteral("Konfiguration von Telefon und Modem"),
          {"Wird ein Telefon oder Analoggerät an einem Ihrer Telefonports angeschlossen?",
           "Telefonport:"},
          {"Werden Sie Ihr internes Modem benutzen?", "Modem:"}) {}

int CWizFeaturesPro::next(bool anyUsed) {
    return anyUsed ? goNext<CWizPortPro>() : GoToFinishPro(*this);
}

}  // namespace wizard
