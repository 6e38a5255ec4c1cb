// The rest-of-world wizard: every page on the wizard's sheet, named after its
// class, with the state a run would have when it gets there.
#include <functional>

#include "tools/screenshots/screens.h"
#include "wizard/page_rw_configured.h"
#include "wizard/page_rw_features.h"
#include "wizard/page_rw_finish.h"
#include "wizard/page_rw_numbers.h"
#include "wizard/page_rw_protocol.h"
#include "wizard/page_rw_region.h"
#include "wizard/page_rw_switch.h"
#include "wizard/page_rw_welcome.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_state.h"

namespace {

using wizard::State;
using Prepare = std::function<void(wizard::WizardState&)>;

// A box with two telephone ports in Germany, both numbers set.
void baseState(wizard::WizardState& s) {
    s.deviceKind = kDeviceExternal;
    s.called = WizCalledConfigure;
    s.profileName = "Büro";
    s.hasPhonePorts = 1;
    s.v110Available = 1;
    s.regionList =
        "atI100\r\r\nAndere:1;Belgien:5;Deutschland:2;Frankreich:3;Grossbritannien:10;\r\n"
        "Niederlande:6;Oesterreich:4;Schweiz:7;\r\n\r\nOK\r\n";
    s.regionCode = 2;
    s.regionName = "Deutschland";
    s.switchType = 2;
    s.connection = ConnectionPPP;
    s.number1 = "030 1234567";
    s.number2 = "030 1234568";
    s.twoNumbers = true;
    s.port1NotUsed = false;
    s.port2NotUsed = false;
}

template <typename Page>
screenshots::Factory wizardPage(Prepare prepare = {}) {
    return [prepare](screenshots::Scene& s) {
        baseState(State());
        if (prepare) prepare(State());
        auto sheet = std::make_unique<wizard::CWizardSheet>();
        State().fonts = wizard::MakeHeaderFonts(sheet->font());
        sheet->addPage(s.make<Page>());
        s.dialog = std::move(sheet);
    };
}

void pro(wizard::WizardState& s) {
    s.deviceKind = kDevicePro;
}
void proWithoutPorts(wizard::WizardState& s) {
    s.deviceKind = kDevicePro;
    s.hasPhonePorts = 0;
    s.number2 = "";
}
void ireland(wizard::WizardState& s) {
    s.regionCode = 22;
    s.regionName = "Irland";
    s.switchType = 3;
}

}  // namespace

VELKA_SCREEN("CWizWelcomeROW", wizardPage<wizard::CWizWelcomeROW>());
VELKA_SCREEN("CWizConfiguredROW", wizardPage<wizard::CWizConfiguredROW>());
VELKA_SCREEN("CWizRegionROW", wizardPage<wizard::CWizRegionROW>());
VELKA_SCREEN("CWizProtocolROW", wizardPage<wizard::CWizProtocolROW>());
VELKA_SCREEN("CWizSwitchROW", wizardPage<wizard::CWizSwitchROW>([](wizard::WizardState& s) {
                 s.regionCode = 1;  // every type, OnRamp preselected
             }));
VELKA_SCREEN("CWizFeatures", wizardPage<wizard::CWizFeatures>());
VELKA_SCREEN("CWizFeaturesPro", wizardPage<wizard::CWizFeaturesPro>(pro));
VELKA_SCREEN("CPortNumbersRW", wizardPage<wizard::CPortNumbersRW>([](wizard::WizardState& s) {
                 s.port2NotUsed = true;
             }));
VELKA_SCREEN("CWizPortPro", wizardPage<wizard::CWizPortPro>(pro));
VELKA_SCREEN("CWizFinishROW", wizardPage<wizard::CWizFinishROW>([](wizard::WizardState& s) {
                 s.port2NotUsed = true;
                 s.number1 = "";
             }));
VELKA_SCREEN("CWizFinishROWRegion", wizardPage<wizard::CWizFinishROWRegion>(ireland));
VELKA_SCREEN("CWizFinishROWPro", wizardPage<wizard::CWizFinishROWPro>(pro));
VELKA_SCREEN("CWizFinRWRegPro", wizardPage<wizard::CWizFinRWRegPro>([](wizard::WizardState& s) {
                 pro(s);
                 ireland(s);
                 s.connection = ConnectionMLPPP;
             }));
VELKA_SCREEN("CWizFinRWProNoPOTS", wizardPage<wizard::CWizFinRWProNoPOTS>(proWithoutPorts));
VELKA_SCREEN("CWizFinRwRegProNoPOTS",
             wizardPage<wizard::CWizFinRwRegProNoPOTS>([](wizard::WizardState& s) {
                 proWithoutPorts(s);
                 ireland(s);
             }));
