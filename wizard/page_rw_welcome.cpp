#include "wizard/page_rw_welcome.h"

#include "wizard/page_rw_region.h"
#include "wizard/resource_ids.h"

namespace wizard {

CWizWelcomeROW::CWizWelcomeROW() : WelcomePage(IDD_WIZ_WELCOME_ROW) {}

int CWizWelcomeROW::onWizardNext() {
    return goNext<CWizRegionROW>();
}

}  // namespace wizard
