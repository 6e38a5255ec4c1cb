#pragma once
#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

namespace wizard {

// The protocol; V.110 only where the device offers it.
class VELKA_WIZARD_EXPORT CWizProtocolROW : public CWizardPage {
    Q_OBJECT
public:
    CWizProtocolROW();
    bool onInitDialog() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;

private:
    void choose(_ConnectionType type);
};

// Multilink PPP over a slow COM port gains nothing: says so when the port's
// stored speed is below 115000 bit/s (nothing when none is stored).
void ShowMultilinkSpeedNotice(CWizardPage& page);

}  // namespace wizard
