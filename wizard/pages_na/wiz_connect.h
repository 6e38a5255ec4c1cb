#pragma once
// CWizConnect: the line status sequence -- open, clear the profile's numbers
// and SPIDs, read the activation and the status, read the SPID list -- on a
// worker thread while the page shows each step; then on by itself.
#include "wizard/pages_na/line_page.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizConnect : public LinePage {
    Q_OBJECT
public:
    CWizConnect();

    bool onSetActive() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;

private:
    void detectionEnded(bool success);

    LineOutcome outcome_;  // written by the worker, read once it has ended
};

}  // namespace wizard::na
