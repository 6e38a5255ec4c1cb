#pragma once
// CWizProtocol: Multilink PPP, PPP or V.120. Multilink PPP warns about a
// port too slow to carry two channels.
#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

namespace wizard::na {

class VELKA_WIZARD_EXPORT CWizProtocol : public CWizardPage {
    Q_OBJECT
public:
    CWizProtocol();
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;
    void doDataExchange(ui::DataExchange& dx) override;

private:
    std::int32_t choice_ = 0;  // 0 Multilink PPP, 1 PPP, 2 V.120
};

}  // namespace wizard::na
