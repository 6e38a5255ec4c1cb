#include "wizard/page_rw_welcome.h"

#include "wizard/resource_ids.h"

namespace wizard {

CWizWelcomeROW::CWizWelcomeROW() : WelcomePage(IDD_WIZ_WELCOME_ROW) {}

int CWizWelcomeROW::onWizardNext() {
    applicationError();
    return -1;
}

}  // namespace wizard
