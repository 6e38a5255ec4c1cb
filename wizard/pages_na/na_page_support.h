#pragma once
// What several North-American pages share: their message boxes (texts of
// these pages, of the wizard frame and of the line detection under one
// caption), the number-count drop-down and the one-number notice.
#include <cstdint>
#include <functional>
#include <string>

#include "ui/dialog_facility.h"
#include "wizard/pages_na/na_checks.h"
#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

class QComboBox;
class QVBoxLayout;
class QWidget;

namespace wizard::na {

// A page after the online/offline choice: the sheet's title tells the mode.
class VELKA_WIZARD_EXPORT CWizPageNA : public CWizardPage {
    Q_OBJECT
public:
    using CWizardPage::CWizardPage;

protected:
    SheetTitle title() const override;
};

// Runs `call` on the page's thread once the events before it are handled;
// dropped when the page is gone by then.
void Post(QObject* page, std::function<void()> call);

// The text of an id of these pages, of the wizard frame or of the line
// detection; empty when none has it.
std::string AnyText(std::uint32_t id);

// A box of the wizard (its caption) with the text of `id`. Safe from a
// worker thread: the box is shown on the user-interface thread.
int Message(QWidget* owner, std::uint32_t id, ui::Icon icon = ui::Icon::Warning,
            ui::Buttons buttons = ui::Buttons::Ok);
bool Ask(QWidget* owner, std::uint32_t id, ui::Icon icon = ui::Icon::Warning);

// "&Zugewiesene Nummern" with the items 1 and 2.
QComboBox* AddNumberCount(QWidget* page, QVBoxLayout* body);

// Whether the device works on two numbers in any case (then a single
// number goes to both channels, which the user is told).
bool NeedsTwoNumbers();
void TellOneNumber(QWidget* owner);

// Walks the steps of a page's checks (na_checks.h): shows each error and
// asks each question; the first error or No focuses its field and ends the
// walk with false.
bool WalkChecks(QWidget* page, const std::vector<CheckStep>& steps);

}  // namespace wizard::na
