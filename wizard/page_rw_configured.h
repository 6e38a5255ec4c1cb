#pragma once
#include "wizard/page_welcome.h"

#include "wizard/wizard_export.h"

namespace wizard {

// Rest of the world, a device with both numbers set: use its configuration
// (straight to the summary) or set it up anew (from the region on).
class VELKA_WIZARD_EXPORT CWizConfiguredROW : public ConfiguredPage {
    Q_OBJECT
public:
    CWizConfiguredROW();

protected:
    int next() override;
};

}  // namespace wizard
