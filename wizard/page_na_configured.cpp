#include "wizard/page_na_configured.h"

#include "wizard/pages_na/na_format.h"
#include "wizard/pages_na/wiz_finish.h"
#include "wizard/pages_na/wiz_region_na.h"
#include "wizard/resource_ids.h"

namespace wizard {

CWizConfigured::CWizConfigured()
    : ConfiguredPage(IDD_WIZ_CONFIGURED,
                     QStringLiteral("Das ausgewählte Gerät wurde bereits richtig konfiguriert und "
                                    "Ihre ISDN-Leitung erfolgreich initialisiert."),
                     QStringLiteral("&Aktuelle Konfiguration benutzen. (Empfohlen)")) {}

int CWizConfigured::next() {
    WizardState& s = State();
    const _WizLocation* loc = wizardSheet() ? wizardSheet()->location() : nullptr;
    if (!loc) {
        applicationError();
        return -1;
    }
    s.twoNumbers = true;
    s.regionName = na::RegionName(s.regionList, s.regionCode);
    const bool phonePorts = s.hasPhonePorts != 0;
    if (useCurrent()) {
        s.number1 = FieldText(loc->number1);
        s.number2 = FieldText(loc->number2);
        s.spid1 = FieldText(loc->spid1);
        s.spid2 = FieldText(loc->spid2);
        s.noSpid1 = loc->noSpid1;
        s.noSpid2 = loc->noSpid2;
        s.switchType = loc->switchType;
        s.connection = wizardSheet()->callerConnection();
        s.existingConfigInUse = true;
        return goNext<na::CWizFinish>();
    }
    s.number1 = phonePorts ? std::string() : FieldText(loc->number1);
    s.number2 = phonePorts ? std::string() : FieldText(loc->number2);
    s.spid1.clear();
    s.spid2.clear();
    s.noSpid1 = s.noSpid2 = 0;
    s.switchType = 9;
    s.connection = ConnectionMLPPP;
    s.existingConfigInUse = false;
    return goNext<na::CWizRegionNA>();
}

}  // namespace wizard
