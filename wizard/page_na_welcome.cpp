#include "wizard/page_na_welcome.h"

#include "wizard/resource_ids.h"

namespace wizard {

CWizWelcome::CWizWelcome() : WelcomePage(IDD_WIZ_WELCOME) {}

// The North-American pages chain on from here.
int CWizWelcome::onWizardNext() {
    applicationError();
    return -1;
}

}  // namespace wizard
