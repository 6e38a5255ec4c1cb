#pragma once
// A property sheet in wizard mode: no tabs; Back, Next (or Finish), Cancel
// and Help. The active page decides where Back and Next lead: it answers 0
// (the neighbour page), -1 (stay -- typically after making another page
// active itself) or the dialog id of the page to show. Pages enable the
// buttons when they become active and set the sheet's title.
//
// The modal result is ID_WIZFINISH after Finish and IDCANCEL after Cancel.
// The end code is a value pages leave for the code that ran the wizard.
#include "ui/property_sheet.h"

#include "ui/ui_export.h"

namespace ui {

class VELKA_UI_EXPORT WizardSheet : public PropertySheet {
    Q_OBJECT
public:
    explicit WizardSheet(const QString& title = {}, QWidget* parent = nullptr);

    // A combination of WIZB_BACK, WIZB_NEXT, WIZB_FINISH, WIZB_DISABLEDFINISH.
    void setWizardButtons(unsigned flags);
    unsigned wizardButtons() const { return wizardButtons_; }

    int endCode() const { return endCode_; }
    void setEndCode(int code) { endCode_ = code; }

    // The page with this dialog id, nullptr when none is in the sheet.
    PropertyPage* pageWithDialogId(int dialogId) const;

protected:
    void backPressed() override;
    void nextPressed() override;
    void finishPressed() override;

private:
    void moveBy(int answer, int step);

    unsigned wizardButtons_ = 0;
    int endCode_ = 0;
};

}  // namespace ui
