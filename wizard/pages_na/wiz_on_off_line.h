#pragma once
// CWizSelectionOnOffLine: detect the line (online) or enter everything by
// hand (offline). Every path to the number pages passes here once per run,
// so the page starts the run's line results afresh when it is created.
#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizSelectionOnOffLine : public CWizPageNA {
    Q_OBJECT
public:
    CWizSelectionOnOffLine();
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
};

}  // namespace wizard::na
