#pragma once
// CWizSPIDMode: the user has the SPIDs at hand, does not know them, or is
// sure the line needs none.
#include "wizard/pages_na/na_page_support.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizSPIDMode : public CWizPageNA {
    Q_OBJECT
public:
    CWizSPIDMode();
    bool onSetActive() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    std::int32_t choice_ = 0;  // at hand, not known, none needed
};

}  // namespace wizard::na
