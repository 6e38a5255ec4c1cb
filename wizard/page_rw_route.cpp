#include "wizard/page_rw_route.h"

#include "wizard/page_rw_features.h"
#include "wizard/page_rw_finish.h"
#include "wizard/pages_na/na_format.h"
#include "wizard/wizard_state.h"

namespace wizard {

namespace {
bool regionNamesSwitch() {
    return State().regionCode == kRegionNamingSwitch;
}
}  // namespace

int GoToFinish(CWizardPage& from) {
    return regionNamesSwitch() ? from.goNext<CWizFinishROWRegion>() : from.goNext<CWizFinishROW>();
}

int GoToFinishPro(CWizardPage& from) {
    const bool named = regionNamesSwitch() && State().called != WizCalledKnownConnection;
    return named ? from.goNext<CWizFinRWRegPro>() : from.goNext<CWizFinishROWPro>();
}

int GoToDeviceRoute(CWizardPage& from) {
    const WizardState& s = State();
    if (s.deviceKind == kDevicePro) {
        if (s.hasPhonePorts) return from.goNext<CWizFeaturesPro>();
        const bool named = regionNamesSwitch() && s.called != WizCalledKnownConnection;
        return named ? from.goNext<CWizFinRwRegProNoPOTS>() : from.goNext<CWizFinRWProNoPOTS>();
    }
    // The boxes and the cards have two telephone ports when they have any; a
    // device of unknown make has none the wizard could name.
    if (s.hasPhonePorts && IsKnownKind(s.deviceKind)) return from.goNext<CWizFeatures>();
    return GoToFinish(from);
}

std::string RegionNameRW(std::string_view list, std::int32_t code) {
    if (code == 1) return "<Andere>";
    std::string name = na::RegionName(list, code);
    // The first entry of a line has no ";" before it, only the line end.
    if (const std::size_t lf = name.find_last_of('\n'); lf != std::string::npos)
        name.erase(0, lf + 1);
    return name;
}

}  // namespace wizard
