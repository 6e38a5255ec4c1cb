#include "wizard/page_na_welcome.h"

#include "wizard/pages_na/wiz_on_off_line.h"
#include "wizard/pages_na/wiz_region_na.h"
#include "wizard/resource_ids.h"

namespace wizard {

CWizWelcome::CWizWelcome() : WelcomePage(IDD_WIZ_WELCOME) {}

int CWizWelcome::onWizardNext() {
    if (State().called == WizCalledKnownConnection) return goNext<na::CWizSelectionOnOffLine>();
    return goNext<na::CWizRegionNA>();
}

}  // namespace wizard
