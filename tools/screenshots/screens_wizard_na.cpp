// The pages of the North-American wizard, each on a wizard sheet as a run
// shows it, named after its class; and the SPID details box.
#include <QLabel>

#include "tools/screenshots/screens.h"
#include "ui/resource_id.h"
#include "wizard/line_sequence.h"
#include "wizard/pages_na/na_ids.h"
#include "wizard/pages_na/na_state.h"
#include "wizard/pages_na/spid_details_dlg.h"
#include "wizard/pages_na/wiz_auto_spid.h"
#include "wizard/pages_na/wiz_connect.h"
#include "wizard/pages_na/wiz_finish.h"
#include "wizard/pages_na/wiz_know_spids.h"
#include "wizard/pages_na/wiz_national_isdn.h"
#include "wizard/pages_na/wiz_numbers.h"
#include "wizard/pages_na/wiz_on_off_line.h"
#include "wizard/pages_na/wiz_protocol.h"
#include "wizard/pages_na/wiz_region_na.h"
#include "wizard/pages_na/wiz_spid_mode.h"
#include "wizard/pages_na/wiz_switch.h"
#include "wizard/pages_na/wiz_test_spid.h"
#include "wizard/wizard_sheet.h"
#include "wizard/wizard_state.h"

namespace {

using namespace wizard;
using namespace wizard::na;

// A run on a NI-1 line in Montreal with two numbers.
void fillRun() {
    WizardState& s = State();
    s.portName = "COM3";
    s.deviceKind = kDeviceExternal;
    s.profileName = "Büro";
    s.regionList = "Canada:25;United States:0;\r\nOK\r\n";
    s.regionCode = 25;
    s.regionName = "Canada";
    s.connection = ConnectionMLPPP;
    s.twoNumbers = true;
    s.online = true;
    s.publicNetwork = true;
    s.switchType = kSwitchNationalIsdn;
    s.number1 = "5550101";
    s.number2 = "5550102";
    s.spid1 = "51455501010101";
    s.spid2 = "51455501020101";
    NaState& na = Na();
    na = NaState{};
    na.areaCode = "514";
    na.status.areaCodeSpids = true;
    na.spidList.available = true;
    na.spidList.twoNumbers = true;
    na.spidList.numbers = {
        {"5145550101", {{"51455501010101", 17, true}}, true},
        {"5145550102", {{"51455501020101", 17, true}, {"51455501029999", 1, false}}, true},
        {"5145550103", {{"51455501030101", 1, false}}, false},
    };
}

// The page alone on a running wizard sheet.
template <class Page, class... Args>
void pageScene(screenshots::Scene& s, Args&&... args) {
    fillRun();
    auto sheet = std::make_unique<CWizardSheet>();
    State().fonts = MakeHeaderFonts(sheet->font());
    sheet->addPage(s.make<Page>(std::forward<Args>(args)...));
    s.dialog = std::move(sheet);
}

// The connection page in the middle of a detection.
class ConnectShot : public CWizConnect {
public:
    bool onSetActive() override {
        CWizConnect::onSetActive();
        setStatus(QString::fromUtf8(kTextDetectingType));
        return true;
    }
};

// The SPID test page while it tries a candidate.
class TestSpidShot : public CWizTestSPID {
public:
    bool onSetActive() override {
        CWizTestSPID::onSetActive();
        showWorkerText(QStringLiteral("SPID: 514 - 5550101 - 0101"));
        showWorkerText(QString::fromUtf8(kTextSpidFound));
        return true;
    }
};

VELKA_SCREEN("CWizRegionNA", [](screenshots::Scene& s) { pageScene<CWizRegionNA>(s); });
VELKA_SCREEN("CWizProtocol", [](screenshots::Scene& s) { pageScene<CWizProtocol>(s); });
VELKA_SCREEN("CWizSelectionOnOffLine",
             [](screenshots::Scene& s) { pageScene<CWizSelectionOnOffLine>(s); });
VELKA_SCREEN("CWizConnect", [](screenshots::Scene& s) { pageScene<ConnectShot>(s); });
VELKA_SCREEN("CWizOffSwitchType", [](screenshots::Scene& s) {
    pageScene<CWizOffSwitchType>(s);
    State().online = false;
});
VELKA_SCREEN("CWizATTSwitch", [](screenshots::Scene& s) {
    pageScene<CWizATTSwitch>(s);
    State().publicNetwork = false;
});
VELKA_SCREEN("CWizNationalISDN", [](screenshots::Scene& s) { pageScene<CWizNationalISDN>(s); });
VELKA_SCREEN("CWizAutoSPID", [](screenshots::Scene& s) { pageScene<CWizAutoSPID>(s, 1); });
VELKA_SCREEN("CWizOnlyNumbers", [](screenshots::Scene& s) { pageScene<CWizOnlyNumbers>(s); });
VELKA_SCREEN("CWizNumbersAndNPA", [](screenshots::Scene& s) { pageScene<CWizNumbersAndNPA>(s); });
VELKA_SCREEN("CWizSPIDMode", [](screenshots::Scene& s) { pageScene<CWizSPIDMode>(s); });
VELKA_SCREEN("CWizKnowSPIDs", [](screenshots::Scene& s) { pageScene<CWizKnowSPIDs>(s); });
VELKA_SCREEN("CWizTestSPID", [](screenshots::Scene& s) { pageScene<TestSpidShot>(s); });
VELKA_SCREEN("CWizFinish", [](screenshots::Scene& s) { pageScene<CWizFinish>(s); });
VELKA_SCREEN("CWizFinishNoSPIDs", [](screenshots::Scene& s) {
    pageScene<CWizFinishNoSPIDs>(s);
    State().online = false;
});
VELKA_SCREEN("CSpidDetailsDlg", [](screenshots::Scene& s) {
    fillRun();
    s.dialog = std::make_unique<CSpidDetailsDlg>(Na().spidList.numbers[1], 0, kDeviceExternal,
                                                 [](const std::string&) { return false; });
});

}  // namespace
