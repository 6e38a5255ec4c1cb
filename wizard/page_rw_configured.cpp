#include "wizard/page_rw_configured.h"

#include "wizard/page_rw_region.h"
#include "wizard/page_rw_route.h"
#include "wizard/resource_ids.h"
#include "wizard/switch_types.h"

namespace wizard {

CWizConfiguredROW::CWizConfiguredROW()
    : ConfiguredPage(IDD_WIZ_CONFIGURED_ROW,
                     QStringLiteral("Das ausgewählte Gerät ist bereits konfiguriert. "),
                     QStringLiteral("Bitte &aktuelle Konfiguration benutzen.")) {}

int CWizConfiguredROW::next() {
    WizardState& s = State();
    s.regionName = RegionNameRW(s.regionList, s.regionCode);
    s.twoNumbers = true;
    if (useCurrent()) {
        const _WizLocation* loc = wizardSheet()->location();
        s.number1 = FieldText(loc->number1);
        s.number2 = FieldText(loc->number2);
        s.switchType = loc->switchType;
        s.connection = wizardSheet()->callerConnection();
        s.existingConfigInUse = true;
        return GoToFinish(*this);
    }
    s.number1.clear();
    s.number2.clear();
    s.switchType = kSwitchEuroIsdn;
    s.connection = ConnectionPPP;
    s.existingConfigInUse = false;
    if (!IsKnownKind(s.deviceKind)) s.twoNumbers = false;
    return goNext<CWizRegionROW>();
}

}  // namespace wizard
