#include "wizard/pages_na/wiz_numbers.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/resource_id.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/na_strings.h"
#include "wizard/pages_na/wiz_finish.h"
#include "wizard/pages_na/wiz_spid_mode.h"
#include "wizard/pages_na/wiz_test_spid.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_strings.h"

namespace wizard::na {

namespace {

constexpr int kAreaCodeChars = 3;
constexpr int kPlainNumberChars = 20;
constexpr int kLocalNumberChars = 10;  // "555 - 0101"

QLineEdit* addField(QWidget* page, QFormLayout* form, int id, const QString& label, int limit) {
    auto* edit = new QLineEdit(page);
    ui::setResourceId(edit, id);
    edit->setMaxLength(limit);
    auto* caption = new QLabel(label, page);
    caption->setBuddy(edit);
    form->addRow(caption, edit);
    return edit;
}

}  // namespace

NumbersPage::NumbersPage(int dialogId, bool withAreaCode)
    : CWizPageNA(dialogId, QStringLiteral("ISDN-Nummern konfigurieren"), PageRole::Middle),
      withAreaCode_(withAreaCode) {}

void NumbersPage::buildBody(QVBoxLayout* body) {
    addText(body, IDC_NA_PROMPT, QString());
    auto* form = new QFormLayout;
    const int limit = withAreaCode_ ? kLocalNumberChars : kPlainNumberChars;
    if (withAreaCode_)
        addField(this, form, IDC_NA_AREA_CODE, QStringLiteral("&Vorwahl:"), kAreaCodeChars);
    auto* first = addField(this, form, IDC_NA_NUMBER1, QStringLiteral("ISDN-Rufnummer &1:"), limit);
    auto* second =
        addField(this, form, IDC_NA_NUMBER2, QStringLiteral("ISDN-Rufnummer &2:"), limit);
    body->addLayout(form);
    connect(first, &QLineEdit::textChanged, this, [this] { showFields(); });
    for (QLineEdit* edit : {first, second})
        connect(edit, &QLineEdit::textEdited, this, [this, edit](const QString& text) {
            if (!withAreaCode_ || !Na().status.areaCodeSpids) return;
            const QString dashed = QString::fromStdString(WithExchangeDash(text.toStdString()));
            if (dashed != text) edit->setText(dashed);
        });
}

void NumbersPage::showFields() {
    const bool two = State().twoNumbers;
    auto* first = ui::findControl<QLineEdit>(this, IDC_NA_NUMBER1);
    auto* second = ui::findControl<QLineEdit>(this, IDC_NA_NUMBER2);
    if (!first || !second) return;
    second->setVisible(two);
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == second) label->setVisible(two);
    second->setEnabled(!first->text().isEmpty());
}

void NumbersPage::doDataExchange(ui::DataExchange& dx) {
    if (!dx.saving()) {
        areaCode_ = Na().areaCode;
        number1_ = State().number1;
        number2_ = State().number2;
    }
    if (withAreaCode_) dx.text(IDC_NA_AREA_CODE, areaCode_);
    dx.text(IDC_NA_NUMBER1, number1_);
    dx.text(IDC_NA_NUMBER2, number2_);
}

bool NumbersPage::onSetActive() {
    const bool two = State().twoNumbers;
    const std::uint32_t prompt = withAreaCode_ ? (two ? 1174 : 1173) : (two ? 1172 : 1171);
    if (auto* text = ui::findControl<QLabel>(this, IDC_NA_PROMPT)) text->setText(QText(prompt));
    showFields();
    return CWizPageNA::onSetActive();
}

int NumbersPage::onWizardNext() {
    if (!updateData(true)) return -1;
    WizardState& s = State();
    NumberFields fields{withAreaCode_, areaCode_,    number1_,
                        number2_,      s.twoNumbers, Na().status.areaCodeSpids};
    if (!WalkChecks(this, NumberChecks(fields))) return -1;
    if (withAreaCode_) Na().areaCode = KeepDigitsAndSemicolons(areaCode_);
    s.number1 = KeepDigitsAndSemicolons(number1_);
    s.number2 = KeepDigitsAndSemicolons(number2_);
    if (!s.twoNumbers && !s.number1.empty()) s.number2 = s.number1;
    return next();
}

CWizOnlyNumbers::CWizOnlyNumbers() : NumbersPage(IDD_WIZ_ONLY_NUMBERS, false) {}

int CWizOnlyNumbers::next() {
    if (State().online && State().noSpid1 == 1) return goNext<CWizFinishNoSPIDs>();
    return goNext<CWizSPIDMode>();
}

CWizNumbersAndNPA::CWizNumbersAndNPA() : NumbersPage(IDD_WIZ_NUMBERS_AND_NPA, true) {}

int CWizNumbersAndNPA::next() {
    const WizardState& s = State();
    NaState& na = Na();
    const bool changed1 = !visited_ || visited1_ != s.number1;
    const bool changed2 = !visited_ || visited2_ != s.number2;
    visited_ = true;
    visited1_ = s.number1;
    visited2_ = s.number2;
    // A SPID found for a number the user changed belongs to the old number.
    if (changed1) na.search.spid1Found = false;
    if (changed2) na.search.spid2Found = false;
    na.numbersChanged = changed1 || changed2;

    const bool something = !na.areaCode.empty() && (!s.number1.empty() || !s.number2.empty());
    const bool stillToFind = (!s.number1.empty() && !na.search.spid1Found) ||
                             (s.twoNumbers && !s.number2.empty() && !na.search.spid2Found);
    if (s.online && something && !na.spidList.available && (stillToFind || na.numbersChanged)) {
        na.startSearch = true;
        return goNext<CWizTestSPID>();
    }
    if (s.online && something) {
        if (!na.numbersChanged) return goNext<CWizFinish>();
        applicationError();
        return -1;
    }
    return goNext<CWizSPIDMode>();
}

}  // namespace wizard::na
