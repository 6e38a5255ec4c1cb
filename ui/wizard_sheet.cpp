#include "ui/wizard_sheet.h"

#include <QPushButton>

#include "ui/framework_ids.h"

namespace ui {

WizardSheet::WizardSheet(const QString& title, QWidget* parent)
    : PropertySheet(title, parent, true) {
    setWizardButtons(WIZB_NEXT);
}

void WizardSheet::setWizardButtons(unsigned flags) {
    wizardButtons_ = flags;
    QPushButton* back = button(ID_WIZBACK);
    QPushButton* next = button(ID_WIZNEXT);
    QPushButton* finish = button(ID_WIZFINISH);
    back->setEnabled(flags & WIZB_BACK);
    // Finish takes the place of Next on the last page.
    const bool finishing = flags & (WIZB_FINISH | WIZB_DISABLEDFINISH);
    next->setVisible(!finishing);
    next->setEnabled(flags & WIZB_NEXT);
    finish->setVisible(finishing);
    finish->setEnabled(flags & WIZB_FINISH);
    next->setDefault(!finishing);
    finish->setDefault(finishing);
}

PropertyPage* WizardSheet::pageWithDialogId(int dialogId) const {
    for (PropertyPage* p : pages())
        if (p->dialogId() == dialogId) return p;
    return nullptr;
}

void WizardSheet::moveBy(int answer, int step) {
    if (answer == -1) return;
    PropertyPage* target = answer == 0 ? page(activeIndex() + step) : pageWithDialogId(answer);
    if (target) setActivePage(target);
}

void WizardSheet::backPressed() {
    PropertyPage* p = activePage();
    if (!p || !(wizardButtons_ & WIZB_BACK)) return;
    moveBy(p->onWizardBack(), -1);
}

void WizardSheet::nextPressed() {
    PropertyPage* p = activePage();
    if (!p || !(wizardButtons_ & WIZB_NEXT)) return;
    moveBy(p->onWizardNext(), +1);
}

void WizardSheet::finishPressed() {
    PropertyPage* p = activePage();
    if (!p || !(wizardButtons_ & WIZB_FINISH)) return;
    if (p->onWizardFinish()) done(ID_WIZFINISH);
}

}  // namespace ui
