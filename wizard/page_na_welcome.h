#pragma once
#include "wizard/page_welcome.h"

#include "wizard/wizard_export.h"

namespace wizard {

// North America: welcome, then the region (or, with a known connection type,
// the online/offline choice).
class VELKA_WIZARD_EXPORT CWizWelcome : public WelcomePage {
    Q_OBJECT
public:
    CWizWelcome();
    int onWizardNext() override;
};

}  // namespace wizard
