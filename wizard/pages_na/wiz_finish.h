#pragma once
// The finish pages: CWizFinish (numbers and SPIDs) and CWizFinishNoSPIDs
// (numbers only) summarise what the wizard hands back.
#include "wizard/pages_na/na_format.h"
#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT FinishPage : public CWizPageNA {
    Q_OBJECT
public:
    FinishPage(int dialogId, bool withSpids);
    bool onSetActive() override;

    // What the page shows now, from the wizard state.
    FinishSummary summary() const;

protected:
    void buildBody(QVBoxLayout* body) override;

private:
    bool withSpids_;
};

class VELKA_WIZARD_EXPORT CWizFinish : public FinishPage {
    Q_OBJECT
public:
    CWizFinish();
    bool onWizardFinish() override;
};

class VELKA_WIZARD_EXPORT CWizFinishNoSPIDs : public FinishPage {
    Q_OBJECT
public:
    CWizFinishNoSPIDs();
};

}  // namespace wizard::na
