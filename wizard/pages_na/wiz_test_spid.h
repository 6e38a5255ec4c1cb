#pragma once
// CWizTestSPID: the SPID search -- candidates built from AREACODE.INI for
// the numbers and the area code, tested with the network one by one on a
// worker thread. It starts by itself when a number page leads here, and
// with its button, which stops a running search.
#include "wizard/pages_na/line_page.h"

#include "wizard/wizard_export.h"

class QPushButton;

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizTestSPID : public LinePage {
    Q_OBJECT
public:
    CWizTestSPID();

    bool onSetActive() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void showWorkerText(const QString& text) override;

private:
    void startSearch(std::uint32_t delayMs);
    void searchEnded();
    void buttonPressed();
    void setButtonText();
    void showProgress(bool shown);

    SpidSearchOutcome outcome_;  // written by the worker, read once it has ended
    bool done_ = false;
};

}  // namespace wizard::na
