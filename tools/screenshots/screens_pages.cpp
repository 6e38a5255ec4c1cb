// The profile sheets of the configurator: every page class on the sheet it
// belongs to (named after the class), every variant's sheet, the routing and
// properties pages and the feature dialogs, filled from realistic profiles.
#include <functional>

#include "config/configure_profile.h"
#include "config/context_help_property_sheet.h"
#include "config/pages/feature_dialogs.h"
#include "config/pages/page_advanced.h"
#include "config/pages/page_properties.h"
#include "config/pages/sheet_state.h"
#include "device/device_info.h"
#include "profile/profile.h"
#include "tools/screenshots/screens.h"

namespace {

using config::pages::SheetVariant;
using Change = std::function<void(CProfile&)>;

bool northAmerican(SheetVariant v) {
    return v == SheetVariant::BoxNA || v == SheetVariant::ProBoxNA;
}
bool pro(SheetVariant v) {
    return v == SheetVariant::ProBoxNA || v == SheetVariant::ProBoxRW ||
           v == SheetVariant::ProNoPOTSBoxRW;
}
bool noPorts(SheetVariant v) {
    return v == SheetVariant::BoxNoPOTSRW || v == SheetVariant::ProNoPOTSBoxRW;
}

// An adapter as it comes from the field: two numbers, both ports, data on
// both numbers, voice on the first.
void fill(CProfile& p, SheetVariant v) {
    const bool na = northAmerican(v);
    p.name = "Büro";
    p.region = na ? 0 : 2;
    p.i100Reply = na ? "Canada:25;United States:0;\r\nOK\r\n"
                     : "Andere:1;Belgien:5;Deutschland:2;Frankreich:3;Grossbritannien:10;\r\n"
                       "Niederlande:6;Oesterreich:4;Schweiz:7;\r\nOK\r\n";
    p.switchType = na ? 0 : 2;
    p.number1 = na ? "514 555 0101" : "030 1234567";
    p.number2 = na ? "514 555 0102" : "030 1234568";
    p.spid1 = na ? "51455501010101" : "";
    p.spid2 = na ? "51455501020101" : "";
    p.portSettings = 0x11;
    p.t1Setting = 0x09;
    p.t2Setting = 0x08;
    p.potsAvailable = noPorts(v) ? 0 : 1;
    p.vmwiRefreshTime = 30;
    p.callConferenceKey = "60";
    p.callDropKey = "62";
    p.vmwiKey = "63";
    p.aodiSupported = 1;
    p.bapStartInterval = 10;
    p.bapRepeatInterval = 5;
    p.delayOpenB1 = 5;
    p.thresholdOpenB1 = 80;
    p.thresholdCloseB1 = 40;
    p.x25DteAddress = "3110-1234567";
    p.x25Facilities = "020A0101C20102";
    p.x25Version = 1;
    p.EnableVoiceForBox = 1;
    p.EnableModemForPro = 1;
}

void sheetScene(screenshots::Scene& s, SheetVariant v, int activeDialog, const Change& change) {
    auto* profile = s.make<CProfile>();
    auto* device = s.make<CDeviceInfo>();
    fill(*profile, v);
    if (change) change(*profile);
    device->type = pro(v) ? 2 : 1;
    device->region = northAmerican(v) ? 1 : 0;
    device->v110Capable = 1;
    device->SetPort("COM3");
    auto* sheet = s.make<config::ProfileSheet>(
        v, nullptr, *profile, 0, *device,
        QStringLiteral("Konfiguriert aktive - Tamo T/A ISDN Modem (Büro)"));
    for (ui::PropertyPage* page : sheet->sheet().pages())
        if (page->dialogId() == activeDialog) {
            sheet->sheet().setActivePage(page);
            break;
        }
    s.dialog = sheet->takeSheet();
}

struct PageShot {
    const char* name;
    SheetVariant variant;
    int dialog;
    Change change;
};

void setConnect(CProfile& p, std::int32_t type) {
    p.connectType = type;
}

const PageShot kPageShots[] = {
    {"CPageGeneralNA", SheetVariant::BoxNA, 1331, {}},
    {"CPageGeneralRW", SheetVariant::BoxRW, 1324, {}},
    {"CPageGeneralNoPOTSRW", SheetVariant::BoxNoPOTSRW, 1342, {}},
    {"CPagePhoneLineNA", SheetVariant::BoxNA, 1115, {}},
    {"CPagePhoneLineRW", SheetVariant::BoxRW, 1117, {}},
    {"CPageMLPPPNA", SheetVariant::BoxNA, 1329, {}},
    {"CPageMLPPPRW", SheetVariant::BoxRW, 1337, {}},
    {"CPagePPPNA", SheetVariant::BoxNA, 1332, [](CProfile& p) { setConnect(p, kConnectPpp); }},
    {"CPagePPPRW", SheetVariant::BoxRW, 1338, [](CProfile& p) { setConnect(p, kConnectPpp); }},
    {"CPageV110NA", SheetVariant::BoxNA, 1333, [](CProfile& p) { setConnect(p, kConnectV110); }},
    {"CPageV110RW", SheetVariant::BoxRW, 1339, [](CProfile& p) { setConnect(p, kConnectV110); }},
    {"CPageV120NA", SheetVariant::BoxNA, 1334, [](CProfile& p) { setConnect(p, kConnectV120); }},
    {"CPageV120RW", SheetVariant::BoxRW, 1340, [](CProfile& p) { setConnect(p, kConnectV120); }},
    {"CPageBACP", SheetVariant::BoxNA, 1223, [](CProfile& p) { p.bacp = 1; }},
    {"CPageX25", SheetVariant::BoxNA, 1222, [](CProfile& p) { p.aodi = 1; }},
    {"CPageVoiceModemNA", SheetVariant::BoxNA, 1328, {}},
    {"CPageVoiceModemRW", SheetVariant::BoxRW, 1341, {}},
    {"CPageVoiceModemProRW", SheetVariant::ProBoxRW, 1343, {}},
    {"CPageAdvancedBoxNA", SheetVariant::BoxNA, 1069, {}},
    {"CPageAdvancedBoxRW", SheetVariant::BoxRW, 1154, {}},
    {"CPageAdvancedProNA", SheetVariant::ProBoxNA, 1336, {}},
    {"CPageAdvancedProRW", SheetVariant::ProBoxRW, 1336, {}},
};

// The variants' sheets with every optional page they can show.
const std::pair<const char*, SheetVariant> kSheetShots[] = {
    {"ConfigureProfileBoxNA", SheetVariant::BoxNA},
    {"ConfigureProfileBoxRW", SheetVariant::BoxRW},
    {"ConfigureProfileBoxNoPOTSRW", SheetVariant::BoxNoPOTSRW},
    {"ConfigureProfileProBoxNA", SheetVariant::ProBoxNA},
    {"ConfigureProfileProBoxRW", SheetVariant::ProBoxRW},
    {"ConfigureProfileProNoPOTSBoxRW", SheetVariant::ProNoPOTSBoxRW},
};

bool registerAll() {
    for (const PageShot& shot : kPageShots)
        screenshots::add(shot.name, [shot](screenshots::Scene& s) {
            sheetScene(s, shot.variant, shot.dialog, shot.change);
        });
    for (const auto& [name, variant] : kSheetShots) {
        const SheetVariant v = variant;
        screenshots::add(name, [v](screenshots::Scene& s) {
            sheetScene(s, v, 0, [](CProfile& p) { p.bacp = 1, p.aodi = 1; });
        });
    }
    return true;
}
const bool registered [[maybe_unused]] = registerAll();

}  // namespace

VELKA_SCREEN("CPageRouting", [](screenshots::Scene& s) {
    auto* profile = s.make<CProfile>();
    auto* device = s.make<CDeviceInfo>();
    fill(*profile, SheetVariant::ProBoxNA);
    device->type = 2;
    config::pages::ResetSheet();
    config::pages::Sheet().t1 = profile->t1Setting;
    config::pages::Sheet().t2 = profile->t2Setting;
    config::pages::Sheet().port1On = true;
    auto* page = s.make<config::pages::CPageRouting>();
    page->Setup(*profile, *device);
    auto sheet = std::make_unique<CContextHelpPropertySheet>(
        QStringLiteral("Konfiguriert aktive - Tamo T/A ISDN Modem Pro (Büro)"));
    sheet->addPage(page);
    s.dialog = std::move(sheet);
});

VELKA_SCREEN("CPageProperties", [](screenshots::Scene& s) {
    auto* page = s.make<config::pages::CPageProperties>();
    page->SetFacts({QStringLiteral("Tamo T/A ISDN Modem (Büro & Labor)"), QStringLiteral("COM3"),
                    QStringLiteral("Version 2.14 vom 12.03.1998"),
                    QStringLiteral("International (exkl. Nordamerika)"), QStringLiteral("115200"),
                    QStringLiteral("TA-128-D 4711")});
    auto sheet = std::make_unique<CContextHelpPropertySheet>(
        QStringLiteral("Eigenschaften von Tamo T/A ISDN Modem (Büro & Labor)"));
    sheet->setApplyButton(false);
    sheet->setHelpButton(false);
    sheet->addPage(page);
    s.dialog = std::move(sheet);
});

VELKA_SCREEN("CCommonFeaturesDlg", [](screenshots::Scene& s) {
    auto* features = s.make<config::pages::CommonFeatures>(
        config::pages::CommonFeatures{true, "60", "62", "63", 30});
    s.dialog = std::make_unique<config::pages::CCommonFeaturesDlg>(*features);
});

VELKA_SCREEN("CFeatureKeysDlg", [](screenshots::Scene& s) {
    auto* features = s.make<config::pages::CommonFeatures>(
        config::pages::CommonFeatures{true, "60", "62", "63", 30});
    s.dialog = std::make_unique<config::pages::CFeatureKeysDlg>(*features);
});
