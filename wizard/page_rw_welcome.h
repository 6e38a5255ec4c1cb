#pragma once
#include "wizard/page_welcome.h"

#include "wizard/wizard_export.h"

namespace wizard {

// Rest of the world: welcome, then the region.
class VELKA_WIZARD_EXPORT CWizWelcomeROW : public WelcomePage {
    Q_OBJECT
public:
    CWizWelcomeROW();
    int onWizardNext() override;
};

}  // namespace wizard
