#pragma once
// CWizNationalISDN: what the line status found (AutoSPID, or the switch
// type) and, unless the SPID list names one number only, how many numbers.
#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizNationalISDN : public CWizPageNA {
    Q_OBJECT
public:
    CWizNationalISDN();
    bool onSetActive() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    std::int32_t count_ = 1;
};

// The text of the page for what the detection found.
std::uint32_t NationalIsdnText(bool spidList, std::int32_t switchType);

}  // namespace wizard::na
