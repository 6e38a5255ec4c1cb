#pragma once
#include "wizard/wizard_page.h"

#include "wizard/wizard_export.h"

class QComboBox;

namespace wizard {

// The network's switch (connection) type, where the region offers several.
class VELKA_WIZARD_EXPORT CWizSwitchROW : public CWizardPage {
    Q_OBJECT
public:
    CWizSwitchROW();
    bool onSetActive() override;
    int onWizardNext() override;

protected:
    void buildBody(QVBoxLayout* body) override;

private:
    QComboBox* types() const;
    void fill();

    std::int32_t filledFor_ = -1;  // the region the list shows
};

}  // namespace wizard
