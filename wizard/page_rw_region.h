#pragma once
#include <vector>

#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

class QComboBox;

namespace wizard {

// The country, from the adapter's region list.
class VELKA_WIZARD_EXPORT CWizRegionROW : public CWizardPage {
    Q_OBJECT
public:
    CWizRegionROW();
    bool onInitDialog() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;

private:
    QComboBox* regions() const;
};

}  // namespace wizard
