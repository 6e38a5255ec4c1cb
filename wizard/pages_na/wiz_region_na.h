#pragma once
// CWizRegionNA: the country, from the adapter's region list. Canada (25)
// and the United States (0) bring their telephone-port keys along.
#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizRegionNA : public CWizardPage {
    Q_OBJECT
public:
    CWizRegionNA();
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
};

}  // namespace wizard::na
