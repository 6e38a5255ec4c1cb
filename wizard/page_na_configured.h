#pragma once
#include "wizard/page_welcome.h"

#include "wizard/wizard_export.h"

namespace wizard {

// North America, a device whose configuration works: keep it (straight to
// the summary) or set it up anew.
class VELKA_WIZARD_EXPORT CWizConfigured : public ConfiguredPage {
    Q_OBJECT
public:
    CWizConfigured();

protected:
    int next() override;
};

}  // namespace wizard
